#include "access/Activator.h"

#include "access/ScanPlan.h"
#include "platform/PressGuard.h"

#include <QCoreApplication>
#include <QMouseEvent>

void Activator::click(const ScanTarget &target)
{
    QWidget *widget = target.widget;
    if (!widget)
        return;
    const QPointF local(target.point);
    const QPointF global(widget->mapToGlobal(target.point));
    QCoreApplication::postEvent(
        widget, new QMouseEvent(QEvent::MouseButtonRelease, local, global, Qt::LeftButton,
                                Qt::NoButton, Qt::NoModifier, PressGuard::selectionDevice()));
    QMouseEvent press(QEvent::MouseButtonPress, local, global, Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier, PressGuard::selectionDevice());
    QCoreApplication::sendEvent(widget, &press);
    if (target.widget)
        QCoreApplication::sendPostedEvents(widget, QEvent::MouseButtonRelease);
}
