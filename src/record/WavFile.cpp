#include "record/WavFile.h"

#include <QtEndian>

namespace WavFile {

namespace {

void appendLe32(QByteArray &out, quint32 value)
{
    char bytes[4];
    qToLittleEndian(value, bytes);
    out.append(bytes, 4);
}

void appendLe16(QByteArray &out, quint16 value)
{
    char bytes[2];
    qToLittleEndian(value, bytes);
    out.append(bytes, 2);
}

} // namespace

QByteArray bytes(const QList<qint16> &samples, int sampleRate)
{
    constexpr quint16 kChannels = 1;
    constexpr quint16 kBitsPerSample = 16;
    constexpr quint16 kBlockAlign = kChannels * kBitsPerSample / 8;
    const auto dataSize = quint32(samples.size() * kBlockAlign);

    QByteArray out;
    out.reserve(44 + qsizetype(dataSize));
    out.append("RIFF");
    appendLe32(out, 36 + dataSize);
    out.append("WAVEfmt ");
    appendLe32(out, 16); // size of the format chunk
    appendLe16(out, 1);  // PCM
    appendLe16(out, kChannels);
    appendLe32(out, quint32(sampleRate));
    appendLe32(out, quint32(sampleRate) * kBlockAlign);
    appendLe16(out, kBlockAlign);
    appendLe16(out, kBitsPerSample);
    out.append("data");
    appendLe32(out, dataSize);
    for (qint16 sample : samples)
        appendLe16(out, quint16(sample));
    return out;
}

} // namespace WavFile
