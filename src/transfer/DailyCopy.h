#pragma once

#include "platform/TextFile.h"

#include <QDate>
#include <QString>

class SettingsStore;

// A copy of the user's text files (the sentences, the diary, the learned words) at the first
// start of each day, in "backups/YYYY-MM-DD/" of the data folder; the last kKeptDays days are
// kept. The copy never stops the program: a failure is told once, until a copy succeeds again.
class DailyCopy
{
  public:
    static constexpr int kKeptDays = 14;

    DailyCopy(QString dataDir, SettingsStore &store, TextFile::Disk &disk = TextFile::systemDisk());

    // Makes today's copy unless it is there, then lets the oldest copies go. Returns the reason
    // to tell the user when the copy failed and that was not told yet; empty otherwise.
    QString run(const QDate &today);

  private:
    bool copy(const QString &folder);
    void pruneOld();

    QString m_dataDir;
    SettingsStore &m_store; // section "BACKUP": whether a failure was told
    TextFile::Disk &m_disk;
};
