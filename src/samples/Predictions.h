#pragma once

#include <QString>
#include <QStringList>

class FlexGrid;
class QWidget;
class ScreenAreas;
class TextBox;
struct Options;
struct SampleControls;
struct Services;

// The prediction list laid over the board while typing. Touches the prediction list grdSp and
// the composition txtTalk, shows and hides through the screen areas, reads the sample
// sentences and the options, and sets the highlighted row (gListRow) and the armed text
// (gCellText) a pick leaves; disables and enables `window` around "決定".
class Predictions
{
  public:
    Predictions(const SampleControls &controls, TextBox &txtTalk, ScreenAreas &areas,
                const Options &options, const QStringList &sampleList, qint32 &listRow,
                QString &cellText, Services &services, QWidget &window);
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

    FlexGrid &m_list;
    TextBox &m_box;
    ScreenAreas &m_areas;
    const Options &m_options;
    const QStringList &m_sampleList;
    qint32 &m_listRow;
    QString &m_cellText;
    Services &m_services;
    QWidget &m_window;
};
