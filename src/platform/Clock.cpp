#include "platform/Clock.h"

#include <QElapsedTimer>
#include <QThread>
#include <algorithm>

namespace {
qint64 monotonicNs()
{
    static QElapsedTimer timer = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
    return timer.nsecsElapsed();
}
} // namespace

SystemClock::SystemClock() : m_originNs(monotonicNs()) {}

qint64 SystemClock::nowMs() const
{
    return (monotonicNs() - m_originNs) / 1000000;
}

void SystemClock::blockUntilPast(qint64 startMs, qint64 ms)
{
    // Sleep in short slices: input stays blocked as the design wants, the core stays idle.
    for (;;) {
        const qint64 left = startMs + ms - nowMs();
        if (left < 0)
            return;
        QThread::msleep(static_cast<unsigned long>(std::clamp<qint64>(left + 1, 1, 20)));
    }
}

QDate SystemClock::today() const
{
    return QDate::currentDate();
}
