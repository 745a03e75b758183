#include "access/AccessLayer.h"

#include "access/AccessOverlay.h"
#include "access/Activator.h"
#include "access/CallBell.h"
#include "access/CallButton.h"
#include "access/CallCorners.h"
#include "access/CuePlayer.h"
#include "access/DwellTracker.h"
#include "access/SwitchFilter.h"
#include "access/TalkControls.h"
#include "dialogs/frmOK.h"
#include "platform/Clock.h"
#include "platform/FlexGrid.h"
#include "platform/TextBox.h"
#include "strip/PredictStrip.h"
#include "voice/frmRead.h"

#include <QApplication>
#include <QCursor>
#include <QPushButton>

namespace {
// A leaf's name for the dwell tracker: its widget and the point pressed in it.
QString targetKey(const ScanTarget &target)
{
    return target.widget->objectName() + u'@' + QString::number(target.point.x()) + u',' +
           QString::number(target.point.y());
}

const ScanNode *leafAt(const ScanNode &node, QPoint point)
{
    for (const ScanNode &child : node.children) {
        if (!child.rect.contains(point))
            continue;
        if (!child.isGroup())
            return &child;
        if (const ScanNode *leaf = leafAt(child, point))
            return leaf;
    }
    return nullptr;
}
} // namespace

AccessLayer::AccessLayer(QWidget &window, const TalkControls &controls, Clock &clock,
                         const ProgramFolders &folders, SettingsStore &store,
                         std::function<void(bool)> showCall)
    : m_window(window), m_controls(controls), m_clock(clock), m_store(store),
      m_showCall(std::move(showCall)), m_bell(std::make_unique<CallBell>(&window, clock)),
      m_corners(std::make_unique<CallCorners>(clock, [this] { m_bell->ring(); })),
      m_cues(std::make_unique<CuePlayer>(folders)), m_pointer([] { return QCursor::pos(); })
{
    connect(controls.cmdCall, &CallButton::callRequested, m_bell.get(), &CallBell::ring);
    connect(this, &AccessLayer::callRequested, m_bell.get(), &CallBell::ring);
    m_timer.setInterval(kPollMs);
    connect(&m_timer, &QTimer::timeout, this, &AccessLayer::poll);
    reload();
}

AccessLayer::~AccessLayer() = default;

bool AccessLayer::suspended() const
{
    return m_filter && m_filter->suspended();
}

void AccessLayer::reload()
{
    m_settings = AccessSettings::read(m_store);
    m_bell->apply(m_settings);
    m_showCall(m_settings.callOn != 0);
    m_corners->setOn(m_settings.callOn != 0);
    m_cues->stop();
    m_cues->configure(m_settings.scanMode != 0 ? m_settings.scanCue : 0, m_settings.scanCueVolume);
    m_cuedPath.clear();
    m_pendingCueAtMs = -1;
    m_engine.reset();
    m_filter.reset();
    m_dwell.reset();
    if (m_settings.scanMode != 0) {
        m_engine = std::make_unique<ScanEngine>(
            ScanEngine::Timing{m_settings.scanMode, m_settings.scanStepMs,
                               m_settings.scanFirstExtraMs, m_settings.scanLoops,
                               m_settings.scanStartOnPress != 0, m_settings.effectiveIgnoreMs()});
        const auto driven = [this](const QWidget *window) {
            return window == &m_window || qobject_cast<const frmOK *>(window) ||
                   qobject_cast<const frmRead *>(window);
        };
        m_filter = std::make_unique<SwitchFilter>(
            m_clock,
            SwitchFilter::Inputs{m_settings.switchAKeyCodes(), m_settings.switchBKeyCodes(),
                                 m_settings.switchMouse != 0, m_settings.switchHoldMs},
            driven, [this](ScanEngine::Switch which) { switchPressed(which); });
        connect(m_filter.get(), &SwitchFilter::suspendedChanged, this, [this] {
            cueLitItem(m_clock.nowMs());
            showHighlight();
        });
    }
    qApp->removeEventFilter(this);
    if (m_settings.dwellMode != 0) {
        m_dwell = std::make_unique<DwellTracker>(
            DwellTracker::Timing{m_settings.dwellLockMs, m_settings.dwellGraceMs});
        qApp->installEventFilter(this);
    }
    m_plan = {};
    m_ring = {};
    m_guardPending = true;
    if (!m_engine && !m_dwell) {
        m_timer.stop();
        delete m_overlay;
        return;
    }
    poll();
    m_timer.start();
}

AccessOverlay *AccessLayer::overlayFor(QWidget *window)
{
    if (!window)
        return nullptr;
    if (m_overlay && m_overlay->parentWidget() != window)
        delete m_overlay;
    if (!m_overlay)
        m_overlay = new AccessOverlay(window);
    return m_overlay;
}

void AccessLayer::showHighlight()
{
    AccessOverlay *overlay = overlayFor(m_plan.window);
    if (!overlay)
        return;
    overlay->follow();
    const ScanNode *lit = m_engine && !suspended() ? m_engine->lit() : nullptr;
    QRect frame = lit ? lit->rect : m_ring;
    overlay->setFrame(frame, lit && m_settings.scanDim != 0);
    overlay->setRing(m_ring, m_ringProgress);
    overlay->setPausedHint(m_engine && !suspended() && !m_engine->running() &&
                           !m_plan.root.children.isEmpty());
}

void AccessLayer::poll()
{
    if (!m_engine && !m_dwell)
        return;
    if (m_filter)
        m_filter->settle(); // a held switch let go acts now
    const qint64 now = m_clock.nowMs();
    ScanPlan shown = ScanPlan::build(m_window, m_controls, m_settings.scanOrder != 0);
    // A question or the stop panel came up inside a selection's handler, or a pointer click
    // changed the screen: scanning starts afresh on what is shown now. Otherwise the same
    // items are kept with their current places.
    const bool changed = shown.screen != m_plan.screen || shown.window != m_plan.window;
    m_plan = std::move(shown);
    if (m_engine) {
        m_engine->setTree(m_plan.root, now, !changed);
        if (changed && m_selecting > 0)
            m_engine->rearm(now);
        if (!suspended())
            m_engine->tick(now);
        playPendingCue(now);
        cueLitItem(now, changed);
    }
    // A window that appears, or a screen that changes, under a resting pointer does not
    // select what is now beneath it until the pointer has moved off it.
    if (m_dwell && (changed || m_guardPending) && m_plan.window && m_plan.window->isVisible()) {
        m_guardPending = false;
        int index = -1;
        if (const QString under = dwellTargetAt(m_pointer(), &index); !under.isEmpty())
            m_dwell->block(under, 0);
    }
    if (m_dwell)
        pollDwell(now);
    pollCallHold(now);
    showHighlight();
}

void AccessLayer::pollCallHold(qint64 nowMs)
{
    if (!m_filter || m_settings.callOn == 0 || m_settings.callHoldMs <= 0)
        return;
    const qint64 since = m_filter->switchAHeldSince();
    if (since < 0 || nowMs - since < m_settings.callHoldMs)
        return;
    m_filter->forgetHold();
    emit callRequested();
}

void AccessLayer::cueLitItem(qint64 nowMs, bool again)
{
    if (!m_engine || !m_cues->enabled())
        return;
    const ScanNode *lit = suspended() || m_plan.readingAloud ? nullptr : m_engine->lit();
    const QList<int> path = lit ? m_engine->path() : QList<int>();
    if (path == m_cuedPath && !again)
        return;
    const QList<int> before = std::exchange(m_cuedPath, path);
    m_pendingCueAtMs = -1;
    m_cues->stop();
    if (!lit)
        return;
    // A scan that starts again ticks twice, a level that starts over ticks higher.
    const bool wrapped = before.size() == path.size() && path.back() == 0 && before.back() > 0;
    const CuePlayer::Moment moment = before.isEmpty() ? CuePlayer::Moment::Restart
                                     : wrapped        ? CuePlayer::Moment::Wrap
                                                      : CuePlayer::Moment::Step;
    const qint64 startMs = std::max(nowMs, m_quietUntilMs);
    m_engine->lengthen(int(startMs - nowMs) + m_cues->lengthMs(lit->cue, moment));
    m_pendingCue = {lit->cue, moment};
    m_pendingCueAtMs = startMs;
    playPendingCue(nowMs);
}

void AccessLayer::playPendingCue(qint64 nowMs)
{
    if (m_pendingCueAtMs < 0 || nowMs < m_pendingCueAtMs)
        return;
    m_pendingCueAtMs = -1;
    m_cues->play(m_pendingCue.first, m_pendingCue.second);
}

QString AccessLayer::dwellTargetAt(QPoint global, int *index) const
{
    *index = -1;
    if (!m_plan.window || !m_plan.window->isVisible())
        return {};
    const ScanNode *leaf = leafAt(m_plan.root, m_plan.window->mapFromGlobal(global));
    if (!leaf || !m_plan.targets.value(leaf->target).widget)
        return {};
    *index = leaf->target;
    return targetKey(m_plan.targets[leaf->target]);
}

void AccessLayer::pollDwell(qint64 nowMs)
{
    int index = -1;
    const QString target = dwellTargetAt(m_pointer(), &index);
    const int fillMs =
        index >= 0 && m_plan.targets[index].weighty
            ? std::max(m_settings.dwellMs, m_settings.dwellSafeMs - m_settings.dwellLockMs)
            : m_settings.dwellMs;
    const DwellTracker::Result result = m_dwell->feed(target, fillMs, nowMs);
    if (result.fire && index >= 0) {
        m_ring = {};
        m_ringProgress = 0;
        select(index);
        return;
    }
    // The ring stays on the locked target through short exits, so it does not flicker.
    QRect ring = result.target.isEmpty() ? QRect() : m_ring;
    if (!result.target.isEmpty() && result.target == target)
        ring = leafAt(m_plan.root, m_plan.window->mapFromGlobal(m_pointer()))->rect;
    if (ring != m_ring || result.progress != m_ringProgress) {
        m_ring = ring;
        m_ringProgress = result.progress;
    }
}

bool AccessLayer::eventFilter(QObject *watched, QEvent *event)
{
    // A real click cancels a running fill; that target then waits as after a dwell.
    if (m_dwell && event->type() == QEvent::MouseButtonPress && event->spontaneous() &&
        watched->isWidgetType()) {
        int index = -1;
        if (const QString under = dwellTargetAt(m_pointer(), &index); !under.isEmpty())
            m_dwell->clicked(under);
    }
    return false;
}

void AccessLayer::switchPressed(ScanEngine::Switch which)
{
    if (!m_engine)
        return;
    const ScanPlan shown = ScanPlan::build(m_window, m_controls, m_settings.scanOrder != 0);
    if (shown.readingAloud) {
        // Any switch stops the reading, as a click on the stop label does; but for the
        // panel's call button, when that is lit.
        const ScanNode *lit = shown.screen == m_plan.screen ? m_engine->lit() : nullptr;
        const ScanTarget litTarget = lit ? m_plan.targets.value(lit->target) : ScanTarget{};
        const bool call =
            litTarget.widget && litTarget.widget == CallCorners::buttonOf(shown.window);
        Activator::click(call ? litTarget : shown.targets.first());
        return;
    }
    if (shown.screen != m_plan.screen || shown.window != m_plan.window)
        poll();
    const qint64 now = m_clock.nowMs();
    const int target = m_engine->press(which, now);
    if (target >= 0) {
        select(target);
        return;
    }
    cueLitItem(now);
    showHighlight();
}

int AccessLayer::topIndexOf(const QWidget *widget) const
{
    for (int i = 0; i < m_plan.root.children.size(); ++i) {
        const int target = m_plan.root.children[i].target;
        if (target >= 0 && m_plan.targets[target].widget == widget)
            return i;
    }
    return -1;
}

void AccessLayer::select(int target)
{
    const ScanTarget chosen = m_plan.targets.value(target);
    if (!chosen.widget)
        return;
    // The cue stops at once; the next one waits until the chosen cell's voice has been heard.
    m_cues->stop();
    m_pendingCueAtMs = -1;
    const ScanNode *lit = m_engine ? m_engine->lit() : nullptr;
    const QString spoken =
        lit && lit->target == target && CuePlayer::isBoardText(lit->cue) ? lit->cue : QString();
    m_quietUntilMs = m_clock.nowMs() + m_cues->voiceMs(spoken);
    // The handler may open a modal window (a question, a notice). Its loop must not run inside
    // the polling timer's slot: that timer would not fire again until the window closed, and
    // the window could not be answered by the means that opened it. The press runs once the
    // current slot has returned; until then the scan stays disarmed and the target blocked.
    QMetaObject::invokeMethod(
        this, [this, chosen] { activate(chosen); }, Qt::QueuedConnection);
}

void AccessLayer::activate(const ScanTarget &chosen)
{
    if (!chosen.widget || !chosen.widget->isVisible()) {
        // The screen changed under a pending selection (a pointer click came first).
        if (m_engine)
            m_engine->rearm(m_clock.nowMs());
        return;
    }
    const QString screenBefore = m_plan.screen;
    const QString textBefore = m_controls.compose.txtTalk->text();
    const bool boardCell = chosen.widget == m_controls.boards.grdBoard->viewport() ||
                           chosen.widget == m_controls.boards.grdBoard2->viewport();
    const bool readButton = chosen.widget == static_cast<QWidget *>(m_controls.cmdRead);
    const bool candidate = m_controls.strip && chosen.widget->parentWidget() == m_controls.strip;
    const bool listRow = chosen.widget == m_controls.samples.grdSp->viewport() ||
                         chosen.widget == m_controls.samples.grdEx->viewport() ||
                         chosen.widget == m_controls.diary.grdDay->viewport();
    const QString key = targetKey(chosen);
    ++m_selecting;
    Activator::click(chosen);
    --m_selecting;
    m_plan = ScanPlan::build(m_window, m_controls, m_settings.scanOrder != 0);
    // A new screen, an entered character or the end of a reading starts at the top; anything
    // else (caret steps, list steps, a first press that only arms) stays on the same item.
    const bool restart =
        m_plan.screen != screenBefore || readButton ||
        ((boardCell || candidate) && m_controls.compose.txtTalk->text() != textBefore);
    const qint64 now = m_clock.nowMs();
    if (m_engine) {
        m_engine->setTree(m_plan.root, now, !restart);
        if (listRow && !restart)
            m_engine->lightTop(topIndexOf(m_controls.samples.cmdDec),
                               now); // a chosen row is confirmed next
        showHighlight();
        if (m_overlay)
            m_overlay->repaint(); // lit before presses count again
        m_engine->rearm(now);
        cueLitItem(now, true);
    }
    if (m_dwell) {
        // The chosen target fires again only after the pointer has been off it. Anything else
        // now under the pointer came up beneath it (a new screen, or the board a question
        // opened from it uncovered on closing) and waits until the pointer has left it.
        int index = -1;
        const QString under = dwellTargetAt(m_pointer(), &index);
        if (under.isEmpty() || under == key)
            m_dwell->block(key, m_settings.dwellGraceMs);
        else
            m_dwell->block(under, 0);
    }
    showHighlight();
}
