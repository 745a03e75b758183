#pragma once

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
    frmTalk &m_talk;
};
