#pragma once

#include <QRect>
#include <QString>

class frmTalk;

// The diary list, the open entry and its buttons.
class DiaryScreen
{
  public:
    explicit DiaryScreen(frmTalk &talk);
    ~DiaryScreen();

    // "決定" while the diary list is shown: opens the highlighted entry.
    void openEntry();
    void cmdRevise_Click();
    void cmdBack_Click();
    void grdDay_Click();

  private:
    // fraDay with both buttons in the foot rectangle, as designed.
    void placeButtonsInFoot();
    // fraDay holding only "戻る", moved beside the caret pad.
    void placeBackBesidePad();

    frmTalk &m_talk;
    QRect m_footFrame;
    QRect m_backButton;
};
