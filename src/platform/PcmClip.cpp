#include "platform/PcmClip.h"

#include <QBuffer>
#include <QtEndian>
#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr quint16 kFormatPcm = 1;
constexpr quint16 kFormatFloat = 3;
constexpr quint16 kFormatExtensible = 0xFFFE;
constexpr int kMaxChannels = 8;
// A voice is a character, a mark or a short word, and a reading moves on every 0.8 s: 30 s
// leaves room for any voice said slowly, and turns away a long recording named like a voice
// before its samples are read (a 400 MB file would otherwise be held whole in memory).
constexpr qint64 kLongestVoiceSeconds = 30;
// The longest format chunk (the extensible one) is 40 bytes; anything after is skipped.
constexpr qint64 kLargestFormat = 64;

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

// The most bytes of samples `seconds` of sound take at the file's own format.
qint64 longestData(const WaveFormat &f, qint64 seconds)
{
    return seconds * f.sampleRate * f.channels * (f.bits / 8);
}

enum class Sizes
{
    AsFarAsItGoes, // a data chunk cut short is read as far as it goes
    Whole,         // every size the header declares must be there
};

std::optional<PcmClip> decode(QIODevice &device, qint64 longestSeconds, Sizes sizes)
{
    const QByteArray riff = device.read(12);
    if (riff.size() < 12 || !riff.startsWith("RIFF") || riff.mid(8, 4) != "WAVE")
        return std::nullopt;
    if (sizes == Sizes::Whole && u32(riff.constData() + 4) + 8 != quint64(device.size()))
        return std::nullopt;
    std::optional<WaveFormat> format;
    for (;;) {
        const QByteArray header = device.read(8);
        if (header.size() < 8)
            return std::nullopt;
        const QByteArrayView id(header.constData(), 4);
        const qint64 size = u32(header.constData() + 4);
        qint64 read = 0;
        if (id == "fmt ") {
            const QByteArray body = device.read(std::min(size, kLargestFormat));
            format = readFormat(body.constData(), quint32(body.size()));
            if (!format)
                return std::nullopt;
            read = body.size();
        } else if (id == "data") {
            if (!format)
                return std::nullopt;
            // Sized before a byte of it is read: a long recording is refused, not held.
            if (sizes == Sizes::Whole && size > device.bytesAvailable())
                return std::nullopt;
            const qint64 available = std::min(size, device.bytesAvailable());
            if (available > longestData(*format, longestSeconds))
                return std::nullopt;
            const QByteArray data = device.read(available);
            return convert(data.constData(), data.size(), *format);
        }
        const qint64 rest = size - read + (size & 1); // chunks are padded to an even length
        if (device.skip(rest) != rest)
            return std::nullopt;
    }
}

} // namespace

std::optional<PcmClip> decodeWav(QIODevice &device)
{
    return decode(device, kLongestVoiceSeconds, Sizes::AsFarAsItGoes);
}

std::optional<PcmClip> decodeWav(const QByteArray &file)
{
    QBuffer buffer;
    buffer.setData(file);
    buffer.open(QIODevice::ReadOnly);
    return decodeWav(buffer);
}

std::optional<PcmClip> decodeWholeWav(const QByteArray &file, qint64 longestSeconds)
{
    QBuffer buffer;
    buffer.setData(file);
    buffer.open(QIODevice::ReadOnly);
    return decode(buffer, longestSeconds, Sizes::Whole);
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

PcmClip scaled(const PcmClip &clip, double factor)
{
    PcmClip result = clip;
    char *data = result.samples.data();
    for (qsizetype i = 0; i + 1 < result.samples.size(); i += 2) {
        const double v = qFromLittleEndian<qint16>(data + i) * factor;
        qToLittleEndian<qint16>(qint16(std::clamp(std::lround(v), -32768L, 32767L)), data + i);
    }
    return result;
}
