#include "Fakes.h"

#include <QCoreApplication>

void FakeClock::blockUntilPast(qint64 startMs, qint64 ms)
{
    waits.append(ms);
    if (duringWait)
        duringWait();
    const qint64 target = startMs + ms + 1;
    if (m_now < target)
        m_now = target;
}

void ScriptedEventPump::yield()
{
    if (beforeYield)
        beforeYield();
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void RecordingWaveDevice::command(const QString &command)
{
    log.append(u"Command:" + command);
    if (command.startsWith(u"Play")) {
        played.append(m_file);
        if (clock)
            playTimesMs.append(clock->nowMs());
    }
    if (command == u"Open") {
        for (auto it = log.crbegin(); it != log.crend(); ++it)
            if (it->startsWith(u"FileName:")) {
                m_file = it->mid(9);
                break;
            }
    }
}

bool ScriptedAsker::ask(const QString &prompt, int kind, const QString &title, QWidget *parent)
{
    asked.append({prompt, kind});
    if (forward)
        return forward->ask(prompt, kind, title, parent);
    return answers.isEmpty() ? false : answers.takeFirst();
}
