#pragma once

#include <QString>

class frmTalk;

// The prediction list laid over the board while typing.
class Predictions
{
public:
    explicit Predictions(frmTalk &talk);
    ~Predictions();

    void OfferPredictions(const QString &text);
    void ShowPredictions(const QString &key);
    void grdSp_Click();
    // "決定" while the prediction list is shown (the main window is already disabled).
    void confirm();

private:
    frmTalk &m_talk;
};
