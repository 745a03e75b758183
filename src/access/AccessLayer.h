#pragma once

#include "access/AccessOverlay.h"
#include "access/AccessSettings.h"
#include "access/CuePlayer.h"
#include "access/ScanEngine.h"
#include "access/ScanPlan.h"
#include "access/TalkControls.h"

#include <QObject>
#include <QPointer>
#include <QTimer>
#include <functional>
#include <memory>

class CallBell;
class CallCorners;
class Clock;
class DwellTracker;
class SettingsStore;
class SwitchFilter;

// Switch scanning and dwell selection over the main window (its inventory of controls), its
// question dialog and its stop panel, as the "ACCESS" settings ask. With both off it installs
// nothing and does nothing. Selections go through Activator, so every handler runs exactly as for a
// click.
class AccessLayer : public QObject
{
    Q_OBJECT

  public:
    static constexpr int kPollMs = 40;

    // `showCall` shows or hides the call button (the window makes room for it).
    AccessLayer(QWidget &window, const TalkControls &controls, Clock &clock,
                const ProgramFolders &folders, SettingsStore &store,
                std::function<void(bool)> showCall);
    ~AccessLayer() override;

    SettingsStore &store() { return m_store; }
    // Re-reads the settings and starts or stops scanning and dwell to match.
    void reload();
    // One step of the stepping and of the pointer watch (the timer calls it every kPollMs).
    void poll();
    // A switch press (from the key filter, or a test).
    void switchPressed(ScanEngine::Switch which);
    // Where the pointer is, in global coordinates (tests hand in their own).
    void setPointerSource(std::function<QPoint()> source) { m_pointer = std::move(source); }

    const ScanEngine *engine() const { return m_engine.get(); }
    const ScanPlan &plan() const { return m_plan; }
    bool suspended() const;
    CallBell &bell() { return *m_bell; }
    CuePlayer &cues() { return *m_cues; }

  signals:
    // Switch A has been held the call time.
    void callRequested();

  protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

  private:
    void select(int target);
    void activate(const ScanTarget &chosen);
    int topIndexOf(const QWidget *widget) const;
    void pollDwell(qint64 nowMs);
    void pollCallHold(qint64 nowMs);
    void showHighlight();
    // Sounds the lit item's cue when another item has lit (or `again`), and lets it show the
    // cue's length longer. After a selection the cue waits until the entry has been spoken.
    void cueLitItem(qint64 nowMs, bool again = false);
    void playPendingCue(qint64 nowMs);
    AccessOverlay *overlayFor(QWidget *window);
    QString dwellTargetAt(QPoint global, int *index) const;

    QWidget &m_window;
    const TalkControls m_controls;
    Clock &m_clock;
    SettingsStore &m_store;
    std::function<void(bool)> m_showCall;
    AccessSettings m_settings;
    std::unique_ptr<ScanEngine> m_engine;
    std::unique_ptr<SwitchFilter> m_filter;
    std::unique_ptr<DwellTracker> m_dwell;
    std::unique_ptr<CallBell> m_bell;
    std::unique_ptr<CallCorners> m_corners; // the call on the question and the reading panel
    std::unique_ptr<CuePlayer> m_cues;
    QList<int> m_cuedPath;        // the item whose cue was sounded last; empty while none is lit
    qint64 m_quietUntilMs = 0;    // the selected cell's voice is heard until then
    qint64 m_pendingCueAtMs = -1; // when the lit item's cue starts; -1 when none waits
    std::pair<QString, CuePlayer::Moment> m_pendingCue;
    ScanPlan m_plan;
    QTimer m_timer{this}; // a child, so tests can wait on its ticks
    QPointer<AccessOverlay> m_overlay;
    std::function<QPoint()> m_pointer;
    bool m_guardPending = true; // the pointer's first target waits until the pointer leaves it
    int m_selecting = 0;        // depth of selections whose handlers are still running
    QRect m_ring;
    double m_ringProgress = 0;
};
