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
    frmTalk &m_talk;
};
