#include "access/CallBell.h"

#include "access/AccessSettings.h"
#include "access/CallScreen.h"
#include "platform/Clock.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>

CallBell::CallBell(QWidget *owner, const Clock &clock)
    : m_owner(owner), m_clock(clock), m_held(clock, nullptr)
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
    const int key = settings.callKeyCode();
    m_key = settings.callOn != 0 && key != Qt::Key_unknown ? std::optional<int>(key) : std::nullopt;
}

void CallBell::ring()
{
    if (m_screen)
        return;
    m_chime.start();
    m_rangAtMs = m_clock.nowMs();
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

bool CallBell::stops(int input, const QInputEvent *event)
{
    const bool fresh = m_held.press(input, qint64(event->timestamp()));
    return fresh && isRinging() && m_clock.nowMs() - m_rangAtMs >= kStopAfterMs;
}

bool CallBell::eventFilter(QObject *watched, QEvent *event)
{
    Q_UNUSED(watched);
    // An event is taken where it is first seen (its window), so no one else acts on it. While
    // the chime rings every press is taken; only a deliberate one stops it.
    switch (event->type()) {
    case QEvent::KeyPress: {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->isAutoRepeat())
            return isRinging() || key->key() == m_key;
        if (isRinging()) {
            if (stops(key->key(), key))
                stop();
            return true;
        }
        const bool fresh = m_held.press(key->key(), qint64(key->timestamp()));
        if (key->key() != m_key)
            return false; // also every key while the call is off
        if (fresh)
            ring();
        return true; // the held call key's repeats type nothing either
    }
    case QEvent::KeyRelease: {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (!key->isAutoRepeat())
            m_held.release(key->key(), qint64(key->timestamp()));
        return false;
    }
    case QEvent::MouseButtonPress: {
        const bool ringing = isRinging();
        const auto *mouse = static_cast<QMouseEvent *>(event);
        if (stops(-int(mouse->button()), mouse))
            stop();
        return ringing;
    }
    case QEvent::MouseButtonRelease: {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        m_held.release(-int(mouse->button()), qint64(mouse->timestamp()));
        return false;
    }
    case QEvent::MouseButtonDblClick:
        return isRinging(); // the second press of a double click has been seen as a press
    default:
        return false;
    }
}
