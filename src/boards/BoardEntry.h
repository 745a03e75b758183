#pragma once

#include "boards/BoardControls.h"
#include "voice/Voice.h"

#include <QString>

#include <functional>

class QWidget;
class ScreenAreas;
class TextBox;
struct Options;
struct Services;

// Clicks on the main board and on the enlarged selection screen, turned into entered text.
// Touches the board's controls and the composition txtTalk, opens and closes the selection
// screen through the screen areas, speaks through the voice, reads the options and shares the
// armed text (gCellText) with the list operations. After each entry it hands the composition's
// text to `entered` (the predictions).
class BoardEntry
{
  public:
    using Entered = std::function<void(const QString &text)>;

    BoardEntry(const BoardControls &controls, TextBox &txtTalk, ScreenAreas &areas, Voice &voice,
               Entered entered, const Options &options, QString &cellText, Services &services,
               QWidget &window);
    ~BoardEntry();

    void grdBoard_MouseDown();
    void grdBoard_Click();
    void grdBoard2_MouseDown();
    void grdBoard2_Click();
    // Fills grdBoard2 with board cell (col, row), its neighbours and its variant forms.
    void FillSelection(int col, int row);
    // Puts the caption of txtHide in front of the current character of txtTalk.
    void InsertChar();
    // Paints every cell of the board white ("はじめから").
    void clearColours();

  private:
    void openSelection();
    void enterFromBoard(const QString &t);
    void enterFromSelection();
    void speak(const QString &t, Voice::Kind kind);
    // Focus back to the text with the character after the caret selected.
    void focusText(bool selectNext);

    const BoardControls m_controls;
    TextBox &m_box;
    ScreenAreas &m_areas;
    Voice &m_voice;
    Entered m_entered;
    const Options &m_options;
    QString &m_cellText;
    Services &m_services;
    // The board cell under the last mouse-down.
    qint32 m_boardRow = 0;
    qint32 m_boardCol = 0;
    // The selection-grid cell under the last mouse-down, and the armed selection text.
    qint32 m_board2Row = 0;
    qint32 m_board2Col = 0;
    QString m_cellText2;
};
