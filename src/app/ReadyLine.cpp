#include "app/ReadyLine.h"

#include "platform/PressGuard.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>

ReadyLine::ReadyLine(QWidget *window) : QObject(window)
{
    window->installEventFilter(this);
}

bool ReadyLine::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::Paint)
        return false;
    watched->removeEventFilter(this);
    // The controls' settling time began when events first ran, before this paint.
    QTimer::singleShot(PressGuard::kSettleMs, this, [] { qInfo("Talk: ready"); });
    return false;
}
