// Any bytes as a voice file: decoding never crashes, gives whole frames of a playable format
// no longer than a voice may last, and reads the same from the file (as the sound cache does)
// as from its bytes (as the recording screen checks a kept original).
#include "FuzzFile.h"
#include "platform/PcmClip.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const std::optional<PcmClip> clip = decodeWav(bytes);
    if (clip && (clip->channels < 1 || clip->channels > 8 || clip->sampleRate < 1000 ||
                 clip->sampleRate > 384000 || clip->samples.size() % clip->bytesPerFrame() != 0 ||
                 clip->durationMs() > 30000))
        abort();
    const QString path = writeFuzzFile(u"あ.wav", data, size);
    QFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::ReadOnly))
        return 0;
    const std::optional<PcmClip> fromFile = decodeWav(file);
    if (fromFile.has_value() != clip.has_value() ||
        (clip && (fromFile->samples != clip->samples || fromFile->channels != clip->channels ||
                  fromFile->sampleRate != clip->sampleRate)))
        abort();
    return 0;
}
