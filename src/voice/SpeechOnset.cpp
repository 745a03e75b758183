#include "voice/SpeechOnset.h"

#include <QtEndian>
#include <algorithm>
#include <cstdlib>

namespace SpeechOnset {

namespace {
// 30 dB below the peak: the closure noise of the engine's stops lies 35-50 dB below it, a
// burst or the quiet start of a fricative or vowel above it.
constexpr double kBelowPeak = 0.0316;
constexpr qint64 kLeadMs = 10;

// The clip's samples are little-endian, as the sound server takes them.
qint16 sampleAt(const PcmClip &clip, qsizetype frame)
{
    return qFromLittleEndian<qint16>(clip.samples.constData() + frame * clip.bytesPerFrame());
}
} // namespace

qint64 audibleFromMs(const PcmClip &clip, qint64 fromMs, qint64 limitMs)
{
    if (clip.channels != 1 || clip.sampleRate <= 0 || limitMs <= fromMs)
        return fromMs;
    const qsizetype frames = clip.samples.size() / clip.bytesPerFrame();
    int peak = 0;
    for (qsizetype i = 0; i < frames; ++i)
        peak = std::max(peak, std::abs(int(sampleAt(clip, i))));
    const int audible = std::max(1, int(peak * kBelowPeak));
    const qsizetype first = std::min(frames, qsizetype(fromMs * clip.sampleRate / 1000));
    const qsizetype last = std::min(frames, qsizetype(limitMs * clip.sampleRate / 1000));
    for (qsizetype i = first; i < last; ++i)
        if (std::abs(int(sampleAt(clip, i))) >= audible)
            return std::max(fromMs, i * 1000 / clip.sampleRate - kLeadMs);
    return fromMs;
}

} // namespace SpeechOnset
