#include "access/CallBell.h"

#include "access/AccessSettings.h"
#include "access/CallScreen.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QScreen>

CallBell::CallBell(QWidget *owner) : m_owner(owner)
{
    qApp->installEventFilter(this);
}

CallBell::~CallBell()
{
    qApp->removeEventFilter(this);
    delete m_screen;
}

void CallBell::apply(const AccessSettings &settings)
{
    m_key = settings.callOn != 0 ? std::optional<int>(settings.callKeyCode()) : std::nullopt;
}

void CallBell::ring()
{
    if (m_screen)
        return;
    m_chime.start();
    m_screen = new CallScreen(m_owner);
    connect(m_screen->cmdStop, &QPushButton::clicked, this, &CallBell::stop);
    // Placed as well as asked for: without a window manager nothing else makes it full screen.
    m_screen->setGeometry(m_owner->screen()->geometry());
    m_screen->showFullScreen();
    m_screen->raise();
    m_screen->activateWindow();
    // First in line from now on, so the stopping press reaches no switch filter or window.
    qApp->removeEventFilter(this);
    qApp->installEventFilter(this);
}

void CallBell::stop()
{
    m_chime.stop();
    if (m_screen)
        m_screen->deleteLater();
    m_screen = nullptr;
}

bool CallBell::eventFilter(QObject *watched, QEvent *event)
{
    Q_UNUSED(watched);
    // An event is taken where it is first seen (its window), so no one else acts on it.
    switch (event->type()) {
    case QEvent::KeyPress: {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->isAutoRepeat())
            return isRinging();
        if (isRinging()) {
            stop();
            return true;
        }
        if (key->key() != m_key)
            return false; // also every key while the call is off
        ring();
        return true;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        if (!isRinging())
            return false;
        stop();
        return true;
    default:
        return false;
    }
}
