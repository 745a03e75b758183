#pragma once

#include <QString>
#include <QStringList>

// Where the program keeps its files, decided once at start-up.
//
// A program folder the user can write (a portable copy, or build/program/ of a source build)
// holds everything: the voice files, Talk.txt and day.txt. An installed program keeps Talk.txt
// and day.txt in the user's data folder and looks a voice file up first there (the user's own
// recordings), then in the installed voice folder.
class ProgramFolders
{
  public:
    // Everything in `programDir`.
    static ProgramFolders portable(const QString &programDir);
    // Data files and own recordings in `userDir`; supplied voices in `installedVoiceDir`.
    static ProgramFolders installed(const QString &userDir, const QString &installedVoiceDir);
    // A program folder counts as installed when it cannot be written, or when an installed
    // voice folder lies beside it: root can write /usr/bin, yet its files do not belong there.
    // Without an installed voice folder the voices are those in `programDir`.
    static ProgramFolders decide(const QString &programDir, bool programDirWritable,
                                 const QString &installedVoiceDir, const QString &userDir);
    // The decision for the running executable; the application name must be set first, as it
    // names the user's data folder.
    static ProgramFolders forThisProgram();

    // Folder of Talk.txt and day.txt, native separators, without trailing separator.
    QString dataDir() const;
    // Creates the data folder when it is missing, readable by the user only (it holds the
    // diary); a folder that exists keeps its permissions. False when it cannot be created.
    bool ensureDataDir() const;
    // The data file `name` (Talk.txt, day.txt), with '/' separators.
    QString dataFile(const QString &name) const;
    // A program folder the user cannot write may hold the user's own data files (a copy on
    // read-only media): copies each of `names` the data folder lacks (nothing of that name is
    // there, not even a link leading nowhere, which is never written through) into it, byte
    // for byte, and returns the names copied. Should a copy fail, the data folder becomes the
    // program folder again, so the files are read where they are (saving them then fails and
    // says so).
    QStringList adoptDataFiles(const QStringList &names);
    // The voice file `name`.wav from the first folder that holds it; where none does, the path
    // in the first folder (nothing plays).
    QString voiceFile(const QString &name) const;

  private:
    explicit ProgramFolders(QStringList voiceDirs);

    QStringList m_voiceDirs;      // the first one is also the data folder
    QString m_readOnlyProgramDir; // set when the data folder stands in for it
};
