#pragma once

#include <QString>

class frmTalk;

// The sample-list screen and its buttons; also the "決定" button that serves every list.
class SampleScreen
{
  public:
    explicit SampleScreen(frmTalk &talk);
    ~SampleScreen();

    void cmdSamp_Click();
    void cmdSamp_MouseDown();
    void cmdSamp_MouseUp();
    void cmdSampADD_Click();
    void cmdSampDel_Click();
    void grdEx_Click();
    void cmdStart_Click();
    void cmdDec_Click();

  private:
    // Reloads the list from the file with the diary entry first.
    void reloadList();
    // Highlights `row` alone and scrolls it to the top of the view.
    void highlightAtTop(int row);
    // The sample-list screen in place of the board.
    void showListScreen();
    // Back to the board screen.
    void showBoardScreen();
    // "決定" on the sample list: the sentence into the text, or the diary list.
    // Returns false when it opened the diary (which ends the button itself).
    bool decideSample();
    // The end of "決定" for every list but the prediction list.
    void decideEnd();

    frmTalk &m_talk;
};
