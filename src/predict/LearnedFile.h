#pragma once

#include "platform/TextFile.h"

#include <QString>

class LearnedWords;

// The learned words' file beside the user's other data files ("learned.txt"). A damaged line is
// skipped; a file that did not read cleanly is copied aside before it is first replaced, so
// nothing the user had is lost.
class LearnedFile
{
  public:
    explicit LearnedFile(QString path, TextFile::Disk &disk = TextFile::systemDisk());

    static constexpr const char16_t *kName = u"learned.txt";
    const QString &path() const { return m_path; }
    // False when the file was missing (nothing learned yet).
    bool load(LearnedWords &words);
    // Writes the lines atomically, checked to the disk; false leaves the old file whole.
    bool save(const QStringList &lines);

  private:
    QString m_path;
    TextFile::Disk &m_disk;
    bool m_keepBeforeSaving = false;
};
