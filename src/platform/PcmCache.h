#pragma once

#include "platform/PcmClip.h"

#include <QHash>
#include <QString>
#include <memory>

// Voice files decoded once and kept, so a press costs no file parsing. Each lookup checks the
// file's size and time stamps (one stat), so a recording replaced on disk is decoded afresh.
class PcmCache
{
  public:
    // The sound of the WAV file at `path`; null when there is no such file or it holds no
    // sound this program can play.
    std::shared_ptr<const PcmClip> clip(const QString &path);

  private:
    struct Stamp
    {
        qint64 size = -1;
        qint64 modifiedMs = 0;
        qint64 changedMs = 0;
        bool operator==(const Stamp &) const = default;
    };
    struct Entry
    {
        Stamp stamp;
        std::shared_ptr<const PcmClip> clip; // null: not playable, kept so it is not read again
    };

    QHash<QString, Entry> m_entries;
};
