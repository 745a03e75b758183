#pragma once

#include <QString>

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
    frmTalk &m_talk;
};
