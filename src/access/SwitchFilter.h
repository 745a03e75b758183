#pragma once

#include "access/HeldInputs.h"
#include "access/ScanEngine.h"

#include <QList>
#include <QObject>
#include <functional>
#include <optional>

class Clock;

// Application-wide key filter, installed only while scanning is on. The keys of switch A and B
// (and, when asked, every mouse button as switch A) are taken away from the main window, the
// question dialog and the stop panel, so they never type into the composition text. A switch
// acts when it goes down or, with a hold time, when it comes up after being held that long (a
// tremor's short presses then do nothing). A held key's repeats, marked or not, are one hold
// (see HeldInputs); a release acts once it has settled, at the latest at the next settle(). Esc
// pressed four times within three seconds suspends scanning (the keys pass through again); four
// more resume.
class SwitchFilter : public QObject
{
    Q_OBJECT

  public:
    using Handler = std::function<void(ScanEngine::Switch)>;
    struct Inputs
    {
        QList<int> aKeys;
        QList<int> bKeys;
        bool mouse = false; // every mouse button is switch A
        int holdMs = 0;     // >0: act on release after a hold this long
    };
    // `accepts` says whether a window is one the switches drive.
    SwitchFilter(const Clock &clock, Inputs inputs, std::function<bool(const QWidget *)> accepts,
                 Handler pressed);
    ~SwitchFilter() override;

    // The switch a key is, if it is one.
    static std::optional<ScanEngine::Switch> switchFor(int key);

    bool suspended() const { return m_suspended; }
    // When switch A went down and is still held (nowMs() time), or -1.
    qint64 switchAHeldSince() const { return m_holds.heldSince(0); }
    // The held switch A no longer counts as held (its long hold has been acted on).
    void forgetHold() { m_holds.spend(0); }
    // Acts on the releases that have settled by now (the polling calls it).
    void settle() { m_holds.settle(); }

  signals:
    void suspendedChanged(bool suspended);

  protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

  private:
    void escapePressed();
    std::optional<ScanEngine::Switch> switchFor(const QEvent *event) const;
    void switchDown(ScanEngine::Switch which);
    void switchUp(int slot, qint64 heldMs);

    const Clock &m_clock;
    Inputs m_inputs;
    std::function<bool(const QWidget *)> m_accepts;
    Handler m_pressed;
    QList<qint64> m_escapes;
    bool m_suspended = false;
    HeldInputs m_holds; // by switch: 0 for A, 1 for B
};
