#pragma once

#include <QByteArray>
#include <optional>

class QIODevice;

// A decoded sound: interleaved signed 16-bit little-endian samples, ready for the sound server.
struct PcmClip
{
    int sampleRate = 0;
    int channels = 0;
    QByteArray samples;

    int bytesPerFrame() const { return channels * 2; }
    qint64 durationMs() const
    {
        return sampleRate > 0 ? samples.size() / bytesPerFrame() * 1000 / sampleRate : 0;
    }
};

// Decodes a RIFF WAVE file holding PCM (8, 16, 24 or 32 bits) or 32-bit float samples.
// Anything else, or a file too damaged to tell its format, gives nothing, as does one whose
// samples would last longer than 30 s at its format (refused before they are read). A data
// chunk that claims more bytes than the file holds (as recorders that were cut off leave it)
// is read as far as it goes. Reads only the chunk headers, the format and the samples.
std::optional<PcmClip> decodeWav(QIODevice &device);
std::optional<PcmClip> decodeWav(const QByteArray &file);
// The same for a file another program has just written, up to `longestSeconds` long: the sizes
// its header declares must all be there (a file cut short by a full disk, or one whose header
// claims more than it holds, gives nothing).
std::optional<PcmClip> decodeWholeWav(const QByteArray &file, qint64 longestSeconds);

// A sine tone with short fades, for beeps and test signals.
PcmClip makeTone(int frequencyHz, int durationMs, double amplitude, int sampleRate = 44100);
// `clip` with every sample multiplied by `factor` (held to the 16-bit range).
PcmClip scaled(const PcmClip &clip, double factor);
