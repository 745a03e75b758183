#pragma once

#include <QObject>
#include <QTimer>

class Clock;
class SpeechOutput;
class TextBox;

// Makes the first part of the text while it is being composed, so that "読む" in sentence mode
// is heard at the press instead of after an engine run: once the text has been left unchanged
// for kQuietMs, its first part is given to the engine ahead (off the window thread), in place
// of a run ahead for the text before. Nothing happens while "読む" reads character by character.
class FirstPartAhead : public QObject
{
    Q_OBJECT

  public:
    // Short, so that "読む" pressed right after the last change finds the first part made or
    // nearly made (no one moves from a cell to "読む" this fast; every millisecond here is one
    // more of waiting for the engine then), yet long enough that the changes of one action (a
    // paste, a deletion and an entry, all in one pass of the event loop) start one run.
    static constexpr int kQuietMs = 10;

    FirstPartAhead(SpeechOutput &speech, TextBox &box, const Clock &clock);

    // Makes the first part ahead once the text has been quiet for kQuietMs by the clock;
    // otherwise looks again when that time comes. The quiet timer calls it.
    void poll();

  private:
    void textChanged();

    SpeechOutput &m_speech;
    TextBox &m_box;
    const Clock &m_clock;
    QTimer m_quiet;
    qint64 m_changedMs = 0;
    bool m_changed = false;
};
