#pragma once

#include <QString>

class frmTalk;

// "読む": reads the whole composition aloud with the stop panel.
class Reader
{
public:
    explicit Reader(frmTalk &talk);
    ~Reader();

    void cmdRead_Click();

private:
    frmTalk &m_talk;
};
