#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QObject>

// Ends the application on the first paint of the widget it filters.
class FirstPaint final : public QObject
{
public:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
        return false;
    }
};
