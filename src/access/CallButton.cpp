#include "access/CallButton.h"

#include "access/AccessOverlay.h"
#include "platform/Clock.h"
#include "platform/PressGuard.h"

#include <QMouseEvent>
#include <QPainter>

namespace {
constexpr int kWatchMs = 40;
}

CallButton::CallButton(const QString &caption, const Clock &clock, QWidget *parent)
    : DesignButton(caption, parent), m_clock(clock)
{
    m_watch.setInterval(kWatchMs);
    connect(&m_watch, &QTimer::timeout, this, &CallButton::follow);
}

void CallButton::mousePressEvent(QMouseEvent *event)
{
    event->accept();
    if (event->pointingDevice() == PressGuard::selectionDevice()) {
        emit callRequested();
        return;
    }
    if (m_pressedAtMs >= 0)
        return; // a second button while the first is held
    m_pressedAtMs = m_clock.nowMs();
    setDown(true);
    m_watch.start();
}

void CallButton::mouseReleaseEvent(QMouseEvent *event)
{
    event->accept();
    if (event->buttons() == Qt::NoButton)
        cancel();
}

void CallButton::mouseMoveEvent(QMouseEvent *event)
{
    event->accept();
    // Sliding off the button is letting go of it.
    if (m_pressedAtMs >= 0 && !rect().contains(event->position().toPoint()))
        cancel();
}

void CallButton::follow()
{
    if (m_pressedAtMs < 0)
        return;
    m_progress = std::min(1.0, double(m_clock.nowMs() - m_pressedAtMs) / kHoldMs);
    update();
    if (m_progress < 1.0)
        return;
    cancel();
    emit callRequested();
}

void CallButton::cancel()
{
    m_watch.stop();
    m_pressedAtMs = -1;
    m_progress = 0;
    setDown(false);
    update();
}

void CallButton::paintEvent(QPaintEvent *event)
{
    DesignButton::paintEvent(event);
    if (m_progress <= 0)
        return;
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    AccessOverlay::paintRing(p, rect(), m_progress);
}
