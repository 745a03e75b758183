#pragma once

#include <QDate>
#include <QtGlobal>

// Monotonic time and the calendar date, injected so that tests can fix both.
class Clock
{
public:
    virtual ~Clock() = default;
    // Milliseconds on a monotonic clock (midnight and clock changes are non-events).
    virtual qint64 nowMs() const = 0;
    // Blocks the calling thread until more than `ms` milliseconds have passed since
    // `startMs` (a value of nowMs()); lets no event through and does not spin a core.
    virtual void blockUntilPast(qint64 startMs, qint64 ms) = 0;
    virtual QDate today() const = 0;
};

// The real clock: QElapsedTimer for time, short sleeps for waiting.
class SystemClock final : public Clock
{
public:
    SystemClock();
    qint64 nowMs() const override;
    void blockUntilPast(qint64 startMs, qint64 ms) override;
    QDate today() const override;

private:
    qint64 m_originNs;
};
