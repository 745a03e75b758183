#pragma once

#include <QString>

class frmTalk;

// The caret pad and the buttons beside the composition box.
class EditPad
{
  public:
    explicit EditPad(frmTalk &talk);
    ~EditPad();

    void cmdRes_MouseDown(int index);
    void cmdRes_MouseUp(int index);
    void PressEditKey(int index);
    void cmdWide_Click();
    void cmdCopy_Click();
    void cmdPaste_Click();

  private:
    frmTalk &m_talk;
};
