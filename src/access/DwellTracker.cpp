#include "access/DwellTracker.h"

DwellTracker::Result DwellTracker::current(int fillMs) const
{
    if (!m_locked || m_target.isEmpty())
        return {};
    return {m_target, std::min(1.0, double(m_filled) / std::max(1, fillMs)), false};
}

void DwellTracker::lockOn(const QString &target, qint64 startMs, qint64 nowMs)
{
    m_target = target;
    m_hoverStart = startMs;
    m_locked = nowMs - startMs >= m_timing.lockMs;
    m_filled = m_locked ? nowMs - startMs - m_timing.lockMs : 0;
    m_onTarget = true;
    m_lastOn = nowMs;
    m_candidate.clear();
}

void DwellTracker::block(const QString &target, int offMs)
{
    m_blocked = target;
    m_blockOffMs = offMs;
    m_blockedOffSince = -1;
    m_target.clear();
    m_locked = false;
    m_candidate.clear();
}

DwellTracker::Result DwellTracker::feed(const QString &target, int fillMs, qint64 nowMs)
{
    const qint64 sinceLastFeed = std::max<qint64>(0, nowMs - m_lastFeed);
    m_lastFeed = nowMs;

    if (!m_blocked.isEmpty()) {
        if (target == m_blocked) {
            m_blockedOffSince = -1;
            m_onTarget = false;
            return {};
        }
        if (m_blockedOffSince < 0)
            m_blockedOffSince = nowMs;
        if (nowMs - m_blockedOffSince >= m_blockOffMs)
            m_blocked.clear();
    }

    if (!target.isEmpty() && target == m_target) {
        if (!m_locked) {
            if (!m_onTarget)
                m_hoverStart = nowMs; // back before lock-on: the lock starts again
            lockOn(target, m_hoverStart, nowMs);
        } else {
            if (m_onTarget)
                m_filled += sinceLastFeed;
            m_onTarget = true;
            m_lastOn = nowMs;
            m_candidate.clear();
        }
        if (m_locked && m_filled >= fillMs) {
            block(target, m_timing.graceMs);
            return {target, 1.0, true};
        }
        return current(fillMs);
    }

    m_onTarget = false;
    if (!m_target.isEmpty() && (!m_locked || nowMs - m_lastOn > m_timing.graceMs)) {
        m_target.clear();
        m_locked = false;
    }
    if (target.isEmpty() || target == m_blocked) {
        m_candidate.clear();
        return current(fillMs);
    }
    if (m_target.isEmpty()) {
        lockOn(target, nowMs, nowMs);
        return current(fillMs);
    }
    // Another target while a locked one waits out its grace: it takes over once it holds
    // the pointer for the lock time, so a brief hop to a neighbour costs nothing.
    if (m_candidate != target) {
        m_candidate = target;
        m_candidateStart = nowMs;
    } else if (nowMs - m_candidateStart >= m_timing.lockMs) {
        lockOn(target, m_candidateStart, nowMs);
    }
    return current(fillMs);
}
