#pragma once

#include <QPointer>
#include <QString>

class frmRead;
class frmTalk;

// "読む": reads the whole composition aloud with the stop panel.
class Reader
{
  public:
    explicit Reader(frmTalk &talk);
    ~Reader();

    void cmdRead_Click();

  private:
    // Plays the characters one by one from offset `first` until the end, an emptied text or a
    // stop request.
    void readCharacters(int first);
    // Ends the reading: closes the panel, ensures and selects the end marker, narrows the
    // area unless a diary entry is open, and enables "読む" again.
    void finishReading();

    frmTalk &m_talk;
    QPointer<frmRead> m_panel;
};
