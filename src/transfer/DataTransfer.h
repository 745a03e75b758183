#pragma once

#include "platform/TextFile.h"

#include <QDateTime>
#include <QString>

class QSettings;

// Moves the user's data (the carried files of the data folder and every section of the
// settings) into one zip file and back.
//
// An import checks the whole file first and changes nothing when it is damaged, truncated or
// foreign. Then the current data goes whole into "backup-YYYYMMDD-HHMMSS/" in the data folder,
// a mark names that folder, and each file is replaced atomically; a failure part-way puts the
// backup back. Should the program be killed part-way, recoverInterrupted() at the next start
// finds the mark and puts the backup back.
class DataTransfer
{
  public:
    struct Result
    {
        bool ok = false;
        QString message; // one line: what was done, or why nothing was
    };

    DataTransfer(QString dataDir, QSettings &settings,
                 TextFile::Disk &disk = TextFile::systemDisk());

    Result exportTo(const QString &file);
    Result importFrom(const QString &file, const QDateTime &now);
    // Puts back the backup an import cut short left its mark on; ok with an empty message when
    // there was none.
    Result recoverInterrupted();

  private:
    QString writeBackup(const QDateTime &now, QString *error);

    QString m_dataDir;
    QSettings &m_settings;
    TextFile::Disk &m_disk;
};
