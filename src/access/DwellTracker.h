#pragma once

#include <QString>

// Dwell selection over named targets, fed with the target under the pointer and the time.
// Resting on one target for the lock time starts its fill; a full fill fires it once. Leaving
// a locked target for less than the grace time keeps its fill; longer starts afresh. A target
// that fired (or was clicked) fires again only after the pointer has been off it for the
// grace time; after a change of screen the target under the pointer waits until the pointer
// has left it.
class DwellTracker
{
  public:
    struct Timing
    {
        int lockMs = 250;
        int graceMs = 750;
    };
    struct Result
    {
        QString target;      // the locked target (empty while nothing is locked)
        double progress = 0; // of its fill, 0..1
        bool fire = false;
    };

    explicit DwellTracker(Timing timing) : m_timing(timing) {}

    // `target` is under the pointer now (empty: nothing selectable); `fillMs` its fill time.
    Result feed(const QString &target, int fillMs, qint64 nowMs);
    // `target` may not fire until the pointer has been off it for `offMs`; any fill stops.
    void block(const QString &target, int offMs);
    // A real click: the fill stops and the target under the pointer waits as after a fire.
    void clicked(const QString &target) { block(target, m_timing.graceMs); }

  private:
    void lockOn(const QString &target, qint64 startMs, qint64 nowMs);
    Result current(int fillMs) const;

    Timing m_timing;
    QString m_target;
    bool m_locked = false;
    bool m_onTarget = false;
    qint64 m_hoverStart = 0;
    qint64 m_filled = 0;
    qint64 m_lastOn = 0;
    qint64 m_lastFeed = 0;
    QString m_candidate;
    qint64 m_candidateStart = 0;
    QString m_blocked;
    int m_blockOffMs = 0;
    qint64 m_blockedOffSince = -1;
};
