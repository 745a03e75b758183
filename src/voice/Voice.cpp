#include "voice/Voice.h"

#include "core/AppState.h"
#include "core/Services.h"
#include "platform/Clock.h"
#include "platform/UiServices.h"
#include "platform/WaveDevice.h"

#include <QDir>
#include <cmath>

using namespace Qt::Literals::StringLiterals;

namespace {

// Characters no file name may hold on this platform.
bool hasForbiddenChar(const QString &text)
{
#ifdef Q_OS_WIN
    const QStringView forbidden = u"/\\:*?\"<>|";
#else
    const QStringView forbidden = u"/";
#endif
    for (const QChar c : text)
        if (c.unicode() == 0 || forbidden.contains(c))
            return true;
    return false;
}

} // namespace

Voice::Voice(const Options &options, qint16 &stopRead, Services &services)
    : m_options(options), m_stopRead(stopRead), m_services(services)
{
}

Voice::~Voice() = default;

bool Voice::speaks(Kind kind) const
{
    const bool select = kind == Kind::Select;
    const bool enter = kind == Kind::Enter;
    switch (m_options.opt3()) {
    case 1:
        return select || enter;
    case 2:
        return enter;
    case 3:
        return false;
    default:
        return true;
    }
}

void Voice::SpeakChar(const QString &character, float waitSeconds, Kind kind)
{
    if (!speaks(kind))
        return;
    Services &services = m_services;
    m_stopRead = 0;
    play(character);
    const qint64 start = services.clock.nowMs();
    services.clock.blockUntilPast(start, std::llround(double(waitSeconds) * 1000.0));
    services.events.yield();
    m_stopRead = -1;
}

void Voice::play(const QString &text)
{
    WaveDevice &wave = m_services.wave;
    wave.command(u"Close"_s);
    wave.setDeviceType(u"WaveAudio"_s);
    wave.setFileName(voiceFile(text));
    wave.command(u"Open"_s);
    wave.command(u"Prev"_s);
    wave.command(u"Play"_s);
}

QString Voice::voiceFile(const QString &text) const
{
    if (text.isEmpty() || hasForbiddenChar(text))
        return {};
    return m_services.folders.voiceFile(text);
}
