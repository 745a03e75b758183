#include "platform/UiServices.h"

#include "platform/PcmPlayer.h"

#include <QApplication>
#include <QClipboard>
#include <QCursor>

namespace {
constexpr int kBeepMs = 60;
constexpr double kBeepAmplitude = 0.3;
} // namespace

SystemBeeper::SystemBeeper()
    : m_tone(std::make_shared<const PcmClip>(makeTone(kToneHz, kBeepMs, kBeepAmplitude))),
      m_player(std::make_unique<PcmPlayer>("beep"))
{
    m_player->prepare(m_tone->sampleRate, m_tone->channels);
}

SystemBeeper::~SystemBeeper() = default;

void SystemBeeper::beep()
{
    m_player->play(m_tone);
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
