#pragma once

class FlexGrid;
class frmTalk;

// "△" and "▽": step the list on show, repeating while held.
class ListStepper
{
  public:
    explicit ListStepper(frmTalk &talk);
    ~ListStepper();

    void cmdUp_MouseDown();
    void cmdUp_MouseUp();
    void cmdDown_MouseDown();
    void cmdDown_MouseUp();
    void StepUp();
    void StepDown();

  private:
    struct Target
    {
        FlexGrid *grid = nullptr;
        int firstCol = 1;
        int topLimit = 0; // StepUp scrolls only while the top row is above this
    };
    // The list the buttons act on: the prediction list first, then the samples, the diary.
    Target target() const;
    // Moves the highlight from gListRow to `row`.
    void moveHighlight(const Target &t, int row);
    // The focus, the pause between steps and the event handling that ends it.
    void pause();

    frmTalk &m_talk;
};
