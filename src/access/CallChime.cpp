#include "access/CallChime.h"

namespace {
constexpr int kRate = 44100;
constexpr double kLevel = 0.9; // as loud as a clip can be without clipping its fades
constexpr int kGapMs = 60;

PcmClip twoTones()
{
    PcmClip clip = makeTone(CallChime::kHighHz, CallChime::kToneMs, kLevel, kRate);
    const PcmClip low = makeTone(CallChime::kLowHz, CallChime::kToneMs, kLevel, kRate);
    clip.samples.append(QByteArray(kRate * kGapMs / 1000 * clip.bytesPerFrame(), '\0'));
    clip.samples.append(low.samples);
    return clip;
}
} // namespace

CallChime::CallChime() : m_clip(std::make_shared<const PcmClip>(twoTones()))
{
    m_repeat.setInterval(kPeriodMs);
    QObject::connect(&m_repeat, &QTimer::timeout, [this] { m_player.play(m_clip); });
}

void CallChime::start()
{
    if (m_repeat.isActive())
        return;
    m_player.play(m_clip);
    m_repeat.start();
}

void CallChime::stop()
{
    m_repeat.stop();
    m_player.stop();
}
