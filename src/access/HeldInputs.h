#pragma once

#include <QHash>
#include <functional>

class Clock;

// Follows held keys and buttons through a held key's repeats. An X server repeats a held key as
// a release and a press sent together with one event time; Qt marks the pair as a repeat only
// when it has already read the press while handling the release, and often it has not. So a
// release is believed only once kSettleMs have passed on the clock with no press of the same
// input after it. A press within that time continues the hold, unless both events carry the
// window system's times and those lie further apart: then the window thread was busy and a
// real release and a new press waited together. Marked repeats are for the caller to drop.
// A bounce of a letting-go switch (its contacts closing again a few ms later) counts as held.
class HeldInputs
{
  public:
    static constexpr qint64 kSettleMs = 50;
    // Called when a hold ends: the input, and how long it was held (clock ms).
    using Ended = std::function<void(int input, qint64 heldMs)>;

    HeldInputs(const Clock &clock, Ended ended);

    // A press of `input`, `eventMs` its window-system time (0 when unknown). True for a new
    // press, false for the held input repeating.
    bool press(int input, qint64 eventMs);
    // A release: the hold ends once it has settled.
    void release(int input, qint64 eventMs);
    // Ends the holds whose release has settled by now.
    void settle();
    // When `input` went down if it is held and counts (not being let go, not spent), else -1.
    qint64 heldSince(int input) const;
    // The held input's hold has been acted on: it is followed on, but no longer counts.
    void spend(int input);
    // Forgets every hold without ending it (another program took the input).
    void clear() { m_holds.clear(); }

  private:
    struct Hold
    {
        qint64 downAtMs;
        qint64 releasedAtMs = -1; // clock ms of a release not yet believed, or -1
        qint64 releaseEventMs = 0;
        bool spent = false;
    };
    bool continues(const Hold &hold, qint64 eventMs) const;
    void end(int input, const Hold &hold);

    const Clock &m_clock;
    Ended m_ended;
    QHash<int, Hold> m_holds;
};
