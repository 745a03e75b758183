#include "voice/Voice.h"

#include "app/frmTalk.h"
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

Voice::Voice(frmTalk &talk) : m_talk(talk) {}

Voice::~Voice() = default;

bool Voice::speaks(const QString &kind) const
{
    const bool select = kind == u"S"_s;
    const bool enter = kind == u"E"_s;
    switch (m_talk.state().opt3()) {
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

void Voice::SpeakChar(const QString &character, float waitSeconds, const QString &kind)
{
    if (!speaks(kind))
        return;
    AppState &state = m_talk.state();
    Services &services = m_talk.services();
    state.gStopRead = 0;
    play(character);
    const qint64 start = services.clock.nowMs();
    services.clock.blockUntilPast(start, std::llround(double(waitSeconds) * 1000.0));
    services.events.yield();
    state.gStopRead = -1;
}

void Voice::play(const QString &text)
{
    WaveDevice &wave = m_talk.services().wave;
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
    return m_talk.services().folders.voiceFile(text);
}
