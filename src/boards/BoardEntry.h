#pragma once

#include <QString>

class frmTalk;

// Clicks on the main board and on the enlarged selection screen, turned into entered text.
class BoardEntry
{
public:
    explicit BoardEntry(frmTalk &talk);
    ~BoardEntry();

    void grdBoard_MouseDown();
    void grdBoard_Click();
    void grdBoard2_MouseDown();
    void grdBoard2_Click();
    void FillSelection(int col, int row);
    void InsertChar();

private:
    frmTalk &m_talk;
};
