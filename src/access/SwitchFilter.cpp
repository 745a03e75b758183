#include "access/SwitchFilter.h"

#include "access/SwitchKeys.h"
#include "platform/Clock.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>

namespace {
constexpr int kEscapesToToggle = 4;
constexpr qint64 kEscapeWindowMs = 3000;

int slot(ScanEngine::Switch which)
{
    return which == ScanEngine::Switch::A ? 0 : 1;
}

bool isKey(QEvent::Type type)
{
    return type == QEvent::KeyPress || type == QEvent::KeyRelease ||
           type == QEvent::ShortcutOverride;
}

bool isMouseButton(QEvent::Type type)
{
    return type == QEvent::MouseButtonPress || type == QEvent::MouseButtonRelease ||
           type == QEvent::MouseButtonDblClick;
}
} // namespace

SwitchFilter::SwitchFilter(const Clock &clock, Inputs inputs,
                           std::function<bool(const QWidget *)> accepts, Handler pressed)
    : m_clock(clock), m_inputs(std::move(inputs)), m_accepts(std::move(accepts)),
      m_pressed(std::move(pressed)),
      m_holds(clock, [this](int slot, qint64 heldMs) { switchUp(slot, heldMs); })
{
    QCoreApplication::instance()->installEventFilter(this);
}

SwitchFilter::~SwitchFilter()
{
    QCoreApplication::instance()->removeEventFilter(this);
}

void SwitchFilter::escapePressed()
{
    const qint64 now = m_clock.nowMs();
    m_escapes.append(now);
    while (now - m_escapes.first() > kEscapeWindowMs)
        m_escapes.removeFirst();
    if (m_escapes.size() < kEscapesToToggle)
        return;
    m_escapes.clear();
    m_suspended = !m_suspended;
    emit suspendedChanged(m_suspended);
}

std::optional<ScanEngine::Switch> SwitchFilter::switchFor(const QEvent *event) const
{
    // The program's own presses (a selection pressing its target) are never a switch.
    if (isMouseButton(event->type()))
        return m_inputs.mouse && event->spontaneous() ? std::optional(ScanEngine::Switch::A)
                                                      : std::nullopt;
    const int key = SwitchKeys::normalised(static_cast<const QKeyEvent *>(event)->key());
    if (m_inputs.aKeys.contains(key))
        return ScanEngine::Switch::A;
    if (m_inputs.bKeys.contains(key))
        return ScanEngine::Switch::B;
    return std::nullopt;
}

void SwitchFilter::switchDown(ScanEngine::Switch which)
{
    if (m_inputs.holdMs == 0)
        m_pressed(which);
}

void SwitchFilter::switchUp(int slot, qint64 heldMs)
{
    if (m_inputs.holdMs > 0 && heldMs >= m_inputs.holdMs)
        m_pressed(slot == 0 ? ScanEngine::Switch::A : ScanEngine::Switch::B);
}

bool SwitchFilter::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    // A release the windows never see (another program took the keyboard) ends a hold too.
    if (type == QEvent::ApplicationDeactivate)
        m_holds.clear();
    if (!isKey(type) && !isMouseButton(type))
        return false;
    const auto *widget = qobject_cast<QWidget *>(watched);
    if (!widget || !m_accepts(widget->window()))
        return false;
    if (isKey(type) && static_cast<const QKeyEvent *>(event)->key() == Qt::Key_Escape) {
        if (type == QEvent::KeyPress && !static_cast<const QKeyEvent *>(event)->isAutoRepeat())
            escapePressed();
        return false;
    }
    const std::optional<ScanEngine::Switch> which = switchFor(event);
    if (!which || m_suspended)
        return false;
    if (isKey(type) && static_cast<const QKeyEvent *>(event)->isAutoRepeat())
        return true;
    m_holds.settle();
    const qint64 eventMs = qint64(static_cast<const QInputEvent *>(event)->timestamp());
    // A double click's second press comes as a press and then this: one press only.
    if (type == QEvent::KeyPress || type == QEvent::MouseButtonPress) {
        if (m_holds.press(slot(*which), eventMs))
            switchDown(*which);
    } else if (type == QEvent::KeyRelease || type == QEvent::MouseButtonRelease) {
        m_holds.release(slot(*which), eventMs);
    }
    return true;
}
