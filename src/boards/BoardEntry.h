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
    // Fills grdBoard2 with board cell (col, row), its neighbours and its variant forms.
    void FillSelection(int col, int row);
    // Puts the caption of txtHide in front of the current character of txtTalk.
    void InsertChar();

    // The selection-grid cell under the last mouse-down.
    qint32 mBoard2Row = 0;
    qint32 mBoard2Col = 0;

  private:
    void openSelection();
    void enterFromBoard(const QString &t);
    void enterFromSelection();
    void speak(const QString &t, const char16_t *kind);
    // Focus back to the text with the character after the caret selected.
    void focusText(bool selectNext);

    frmTalk &m_talk;
};
