#pragma once

#include "samples/SampleControls.h"

#include <QtGlobal>

class FlexGrid;
class QWidget;
class ScreenAreas;
class TextBox;
struct Services;

// "△" and "▽": step the list on show, repeating while held. Touches the two buttons, the list
// the screen areas have on show and the highlighted row (gListRow); shares the held flag with
// the caret pad and gives the focus back to the composition.
class ListStepper
{
  public:
    ListStepper(const SampleControls &controls, ScreenAreas &areas, TextBox &txtTalk, bool &keyHeld,
                qint32 &listRow, Services &services, QWidget &window);
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

    const SampleControls m_controls;
    ScreenAreas &m_areas;
    TextBox &m_box;
    bool &m_keyHeld;
    qint32 &m_listRow;
    Services &m_services;
};
