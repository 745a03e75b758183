#include "platform/QtWaveDevice.h"

#include "platform/PcmPlayer.h"

using namespace Qt::Literals::StringLiterals;

namespace {
// The generated voices' format (espeak-ng's): the stream is ready for them before the first
// press; a recording in another format opens a stream of its own.
constexpr int kGeneratedVoiceRate = 22050;
} // namespace

QtWaveDevice::QtWaveDevice() : m_player(std::make_unique<PcmPlayer>("voice"))
{
    m_player->prepare(kGeneratedVoiceRate, 1);
}

QtWaveDevice::~QtWaveDevice() = default;

void QtWaveDevice::setDeviceType(const QString &) {}

void QtWaveDevice::setFileName(const QString &path)
{
    m_fileName = path;
}

void QtWaveDevice::command(const QString &command)
{
    if (command == u"Close"_s) {
        m_open.reset();
        m_player->stop();
        return;
    }
    if (command == u"Open"_s) {
        m_open = m_cache.clip(m_fileName); // a missing or unplayable file: nothing is open
        return;
    }
    if (!m_open)
        return;
    if (command == u"Prev"_s)
        m_player->stop(); // back to the start: the next "Play" begins at the first sample
    else if (command == u"Play"_s)
        m_player->play(m_open);
}
