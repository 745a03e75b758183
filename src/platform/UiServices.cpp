#include "platform/UiServices.h"

#include <QApplication>
#include <QClipboard>
#include <QCursor>

void SystemBeeper::beep()
{
    QApplication::beep();
}

void QtEventPump::yield()
{
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void SystemClipboard::clear()
{
    QGuiApplication::clipboard()->clear();
}

void SystemClipboard::setText(const QString &text)
{
    QGuiApplication::clipboard()->setText(text);
}

QString SystemClipboard::text() const
{
    return QGuiApplication::clipboard()->text();
}

ScreenBusyPointer::~ScreenBusyPointer()
{
    setBusy(false);
}

void ScreenBusyPointer::setBusy(bool busy)
{
    if (busy == m_busy)
        return;
    m_busy = busy;
    if (busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}
