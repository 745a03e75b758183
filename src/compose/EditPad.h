#pragma once

#include "compose/ComposeControls.h"

#include <QString>

class QWidget;
struct Services;

// The caret pad and the buttons beside the composition box. Touches only the composition's
// controls and the clipboard; shares the held flag with the list buttons.
class EditPad
{
  public:
    EditPad(const ComposeControls &controls, bool &keyHeld, Services &services, QWidget &window);
    ~EditPad();

    void cmdRes_MouseDown(int index);
    void cmdRes_MouseUp(int index);
    void PressEditKey(int index);
    void cmdWide_Click();
    void cmdCopy_Click();
    void cmdPaste_Click();

  private:
    const ComposeControls m_controls;
    bool &m_keyHeld;
    Services &m_services;
    QWidget &m_window;
};
