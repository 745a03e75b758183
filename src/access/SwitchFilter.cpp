#include "access/SwitchFilter.h"

#include "platform/Clock.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QWidget>
#include <optional>

namespace {
constexpr int kEscapesToToggle = 4;
constexpr qint64 kEscapeWindowMs = 3000;
} // namespace

std::optional<ScanEngine::Switch> SwitchFilter::switchFor(int key)
{
    switch (key) {
    case Qt::Key_Space:
    case Qt::Key_1:
        return ScanEngine::Switch::A;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_2:
        return ScanEngine::Switch::B;
    default:
        return std::nullopt;
    }
}

SwitchFilter::SwitchFilter(const Clock &clock, std::function<bool(const QWidget *)> accepts,
                           Handler pressed)
    : m_clock(clock), m_accepts(std::move(accepts)), m_pressed(std::move(pressed))
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

bool SwitchFilter::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    // A release the windows never see (another program took the keyboard) ends a hold too.
    if (type == QEvent::ApplicationDeactivate)
        m_aDownAtMs = -1;
    if (type != QEvent::KeyPress && type != QEvent::KeyRelease && type != QEvent::ShortcutOverride)
        return false;
    const auto *widget = qobject_cast<QWidget *>(watched);
    if (!widget || !m_accepts(widget->window()))
        return false;
    const auto *key = static_cast<QKeyEvent *>(event);
    if (key->key() == Qt::Key_Escape) {
        if (type == QEvent::KeyPress && !key->isAutoRepeat())
            escapePressed();
        return false;
    }
    const std::optional<ScanEngine::Switch> which = switchFor(key->key());
    if (!which || m_suspended)
        return false;
    if (key->isAutoRepeat())
        return true;
    if (*which == ScanEngine::Switch::A && type != QEvent::ShortcutOverride)
        m_aDownAtMs = type == QEvent::KeyPress ? m_clock.nowMs() : -1;
    if (type == QEvent::KeyPress)
        m_pressed(*which);
    return true;
}
