#include "platform/PcmCache.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>

std::shared_ptr<const PcmClip> PcmCache::clip(const QString &path)
{
    if (path.isEmpty())
        return nullptr;
    const QFileInfo info(path);
    if (!info.isFile()) {
        m_entries.remove(path);
        return nullptr;
    }
    const Stamp stamp{info.size(), info.lastModified().toMSecsSinceEpoch(),
                      info.metadataChangeTime().toMSecsSinceEpoch()};
    const auto found = m_entries.constFind(path);
    if (found != m_entries.constEnd() && found->stamp == stamp)
        return found->clip;

    QFile file(path);
    std::shared_ptr<const PcmClip> decoded;
    if (file.open(QIODevice::ReadOnly)) {
        if (std::optional<PcmClip> pcm = decodeWav(file))
            decoded = std::make_shared<const PcmClip>(std::move(*pcm));
    }
    m_entries.insert(path, Entry{stamp, decoded});
    return decoded;
}
