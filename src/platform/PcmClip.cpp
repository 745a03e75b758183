#include "platform/PcmClip.h"

#include <QtEndian>
#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr quint16 kFormatPcm = 1;
constexpr quint16 kFormatFloat = 3;
constexpr quint16 kFormatExtensible = 0xFFFE;
constexpr int kMaxChannels = 8;

struct WaveFormat
{
    quint16 tag = 0;
    int channels = 0;
    int sampleRate = 0;
    int bits = 0;
};

quint16 u16(const char *p)
{
    return qFromLittleEndian<quint16>(p);
}

quint32 u32(const char *p)
{
    return qFromLittleEndian<quint32>(p);
}

std::optional<WaveFormat> readFormat(const char *p, quint32 size)
{
    if (size < 16)
        return std::nullopt;
    WaveFormat f{u16(p), u16(p + 2), int(u32(p + 4)), u16(p + 14)};
    // The extensible header names the real format in the first two bytes of its sub-format.
    if (f.tag == kFormatExtensible && size >= 26)
        f.tag = u16(p + 24);
    const bool pcm =
        f.tag == kFormatPcm && (f.bits == 8 || f.bits == 16 || f.bits == 24 || f.bits == 32);
    const bool floats = f.tag == kFormatFloat && f.bits == 32;
    if (!(pcm || floats) || f.channels < 1 || f.channels > kMaxChannels || f.sampleRate < 1000 ||
        f.sampleRate > 384000)
        return std::nullopt;
    return f;
}

qint16 toS16(const char *p, const WaveFormat &f)
{
    switch (f.bits) {
    case 8:
        return qint16((quint8(*p) - 128) << 8); // 8-bit WAV samples are unsigned
    case 16:
        return qFromLittleEndian<qint16>(p);
    case 24:
        return qFromLittleEndian<qint16>(p + 1);
    default:
        if (f.tag == kFormatFloat) {
            const float v = qFromLittleEndian<float>(p);
            return qint16(
                std::lround(std::clamp(std::isfinite(v) ? v : 0.0f, -1.0f, 1.0f) * 32767.0f));
        }
        return qFromLittleEndian<qint16>(p + 2);
    }
}

PcmClip convert(const char *data, qint64 size, const WaveFormat &f)
{
    const int bytesPerSample = f.bits / 8;
    const qint64 count = size / bytesPerSample / f.channels * f.channels;
    PcmClip clip{f.sampleRate, f.channels, QByteArray(count * 2, Qt::Uninitialized)};
    char *out = clip.samples.data();
    for (qint64 i = 0; i < count; ++i)
        qToLittleEndian<qint16>(toS16(data + i * bytesPerSample, f), out + i * 2);
    return clip;
}

} // namespace

std::optional<PcmClip> decodeWav(const QByteArray &file)
{
    if (file.size() < 12 || !file.startsWith("RIFF") || file.mid(8, 4) != "WAVE")
        return std::nullopt;
    const char *base = file.constData();
    std::optional<WaveFormat> format;
    qint64 at = 12;
    while (at + 8 <= file.size()) {
        const QByteArrayView id(base + at, 4);
        const qint64 size = u32(base + at + 4);
        const qint64 body = at + 8;
        const qint64 available = std::min<qint64>(size, file.size() - body);
        if (id == "fmt ") {
            format = readFormat(base + body, quint32(available));
            if (!format)
                return std::nullopt;
        } else if (id == "data") {
            if (!format)
                return std::nullopt;
            return convert(base + body, available, *format);
        }
        at = body + size + (size & 1); // chunks are padded to an even length
    }
    return std::nullopt;
}

PcmClip makeTone(int frequencyHz, int durationMs, double amplitude, int sampleRate)
{
    const qint64 frames = qint64(sampleRate) * durationMs / 1000;
    const qint64 fade = std::min<qint64>(sampleRate / 500, frames / 2); // 2 ms, against clicks
    PcmClip clip{sampleRate, 1, QByteArray(frames * 2, Qt::Uninitialized)};
    for (qint64 i = 0; i < frames; ++i) {
        const double envelope = std::min({1.0, double(i) / std::max<qint64>(fade, 1),
                                          double(frames - 1 - i) / std::max<qint64>(fade, 1)});
        const double v = std::sin(2 * std::numbers::pi * frequencyHz * double(i) / sampleRate);
        qToLittleEndian<qint16>(qint16(std::lround(v * envelope * amplitude * 32767)),
                                clip.samples.data() + i * 2);
    }
    return clip;
}
