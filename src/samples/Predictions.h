#pragma once

#include <QString>

class FlexGrid;
class frmTalk;

// The prediction list laid over the board while typing.
class Predictions
{
  public:
    explicit Predictions(frmTalk &talk);
    ~Predictions();

    // After an entry: with the caret before the last character, lists the samples that
    // begin with the last gSample characters before the end marker.
    void OfferPredictions(const QString &text);
    void ShowPredictions(const QString &key);
    void grdSp_Click();
    // "決定" while the prediction list is shown (the main window is already disabled): the
    // key is replaced by the highlighted row and the board comes back.
    void confirm();

    // Removes leading and trailing ASCII spaces. The full-width space stays: it is what an
    // empty board cell enters, so it is the user's own text.
    static QString trimBlanks(const QString &text);

  private:
    void appendMatches(FlexGrid &list, qsizetype keyLength, const QString &trimmed);
    void paintRow(int row, qint64 bgr);

    frmTalk &m_talk;
};
