#include "platform/PressGuard.h"

#include "platform/Clock.h"

#include <QAbstractScrollArea>
#include <QCoreApplication>
#include <QEvent>
#include <QMouseEvent>
#include <QPointingDevice>
#include <QWidget>

namespace {
QWidget *pressTarget(QWidget *control)
{
    if (auto *area = qobject_cast<QAbstractScrollArea *>(control))
        return area->viewport();
    return control;
}
} // namespace

QEvent::Type PressGuard::eventsRunType()
{
    static const auto type = QEvent::Type(QEvent::registerEventType());
    return type;
}

const QPointingDevice *PressGuard::selectionDevice()
{
    static const auto *device = new QPointingDevice(
        QStringLiteral("selection"), 0, QInputDevice::DeviceType::Mouse,
        QPointingDevice::PointerType::Generic, QInputDevice::Capability::Position, 1, 1);
    return device;
}

PressGuard::PressGuard(const Clock &clock, QObject *parent) : QObject(parent), m_clock(clock) {}

void PressGuard::guard(QWidget *control)
{
    pressTarget(control)->installEventFilter(this);
}

void PressGuard::guardBeneath(QWidget *cover, QWidget *control)
{
    guard(control);
    m_beneath.insert(cover, pressTarget(control));
    cover->installEventFilter(this);
}

void PressGuard::appeared(const QObject *control)
{
    if (m_unsettled.isEmpty())
        QCoreApplication::postEvent(this, new QEvent(eventsRunType()));
    m_unsettled.insert(control);
}

bool PressGuard::settling(const QObject *control) const
{
    if (m_unsettled.contains(control))
        return true;
    const auto from = m_settledFrom.constFind(control);
    return from != m_settledFrom.cend() && m_clock.nowMs() - *from < kSettleMs;
}

bool PressGuard::event(QEvent *event)
{
    if (event->type() != eventsRunType())
        return QObject::event(event);
    const qint64 now = m_clock.nowMs();
    for (const QObject *control : std::as_const(m_unsettled))
        m_settledFrom.insert(control, now);
    m_unsettled.clear();
    return true;
}

bool PressGuard::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::Show:
        appeared(watched);
        break;
    case QEvent::Hide:
        if (QObject *beneath = m_beneath.value(watched))
            appeared(beneath);
        break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        return static_cast<QMouseEvent *>(event)->pointingDevice() != selectionDevice() &&
               settling(watched);
    default:
        break;
    }
    return false;
}
