#pragma once

#include "compose/ComposeControls.h"
#include "samples/SampleControls.h"

#include <QString>

class BoardEntry;
class DiaryFile;
class DiaryScreen;
class Predictions;
class QWidget;
class SampleFile;
class ScreenAreas;
struct Options;
struct Services;

// The sample-list screen and its buttons; also the "決定" button that serves every list.
// Touches its own controls and the composition (text and sizes), shows and hides through the
// screen areas, calls the sample and diary files, the diary screen and the predictions, and
// sets the highlighted row (gListRow); disables and enables `window` while it works. "はじめから"
// clears the board's colours through the board.
class SampleScreen
{
  public:
    SampleScreen(const SampleControls &controls, const ComposeControls &compose, ScreenAreas &areas,
                 SampleFile &samples, DiaryFile &diary, DiaryScreen &diaryScreen,
                 Predictions &predictions, BoardEntry &board, const Options &options,
                 qint32 &listRow, Services &services, QWidget &window);
    ~SampleScreen();

    void cmdSamp_Click();
    void cmdSamp_MouseDown();
    void cmdSamp_MouseUp();
    void cmdSampADD_Click();
    void cmdSampDel_Click();
    void grdEx_Click();
    void cmdStart_Click();
    void cmdDec_Click();
    // Whether the diary is open ("例文" reads "日記終了").
    bool diaryOpen() const;

  private:
    // Reloads the list from the file with the diary entry first.
    void reloadList();
    // Highlights `row` alone and scrolls it to the top of the view.
    void highlightAtTop(int row);
    // Lays the list over the board with column 0 `labelWidth` twips and column 1 the rest less
    // `margin`.
    void placeOverBoard(int labelWidth, int margin);
    // The sample-list screen in place of the board.
    void showListScreen();
    // Back to the board screen.
    void showBoardScreen();
    // "決定" on the sample list: the sentence into the text, or the diary list.
    // Returns false when it opened the diary (which ends the button itself).
    bool decideSample();
    // The end of "決定" for every list but the prediction list.
    void decideEnd();
    bool ask(const char16_t *prompt, int kind, const char16_t *title);

    const SampleControls m_controls;
    const ComposeControls m_compose;
    ScreenAreas &m_areas;
    SampleFile &m_samples;
    DiaryFile &m_diary;
    DiaryScreen &m_diaryScreen;
    Predictions &m_predictions;
    BoardEntry &m_board;
    const Options &m_options;
    qint32 &m_listRow;
    Services &m_services;
    QWidget &m_window;
};
