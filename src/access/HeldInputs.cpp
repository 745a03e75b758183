#include "access/HeldInputs.h"

#include "platform/Clock.h"

#include <QList>
#include <utility>

HeldInputs::HeldInputs(const Clock &clock, Ended ended) : m_clock(clock), m_ended(std::move(ended))
{
}

bool HeldInputs::continues(const Hold &hold, qint64 eventMs) const
{
    if (hold.releasedAtMs < 0 || m_clock.nowMs() - hold.releasedAtMs >= kSettleMs)
        return false;
    const bool timed = eventMs != 0 && hold.releaseEventMs != 0;
    return !timed || eventMs - hold.releaseEventMs < kSettleMs;
}

void HeldInputs::end(int input, const Hold &hold)
{
    if (!hold.spent && m_ended)
        m_ended(input, hold.releasedAtMs - hold.downAtMs);
}

bool HeldInputs::press(int input, qint64 eventMs)
{
    const auto held = m_holds.find(input);
    if (held != m_holds.end()) {
        if (continues(*held, eventMs)) {
            held->releasedAtMs = -1;
            return false;
        }
        // A release that settled, or a second press with no release seen (it went to a
        // window that is not followed): the old hold is over, this one starts.
        const Hold over = std::exchange(*held, Hold{m_clock.nowMs()});
        if (over.releasedAtMs >= 0)
            end(input, over);
        return true;
    }
    m_holds.insert(input, Hold{m_clock.nowMs()});
    return true;
}

void HeldInputs::release(int input, qint64 eventMs)
{
    const auto held = m_holds.find(input);
    if (held == m_holds.end() || held->releasedAtMs >= 0)
        return;
    held->releasedAtMs = m_clock.nowMs();
    held->releaseEventMs = eventMs;
}

void HeldInputs::settle()
{
    // Collected first: a hold's end may act (a selection), and that may come back here.
    const qint64 now = m_clock.nowMs();
    QList<std::pair<int, Hold>> over;
    for (auto held = m_holds.begin(); held != m_holds.end();) {
        if (held->releasedAtMs < 0 || now - held->releasedAtMs < kSettleMs) {
            ++held;
            continue;
        }
        over.append({held.key(), *held});
        held = m_holds.erase(held);
    }
    for (const auto &[input, hold] : std::as_const(over))
        end(input, hold);
}

qint64 HeldInputs::heldSince(int input) const
{
    const auto held = m_holds.constFind(input);
    if (held == m_holds.cend() || held->spent || held->releasedAtMs >= 0)
        return -1;
    return held->downAtMs;
}

void HeldInputs::spend(int input)
{
    const auto held = m_holds.find(input);
    if (held != m_holds.end())
        held->spent = true;
}
