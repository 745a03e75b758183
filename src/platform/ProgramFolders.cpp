#include "platform/ProgramFolders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

using namespace Qt::Literals::StringLiterals;

ProgramFolders::ProgramFolders(QStringList voiceDirs) : m_voiceDirs(std::move(voiceDirs))
{
    for (QString &dir : m_voiceDirs)
        dir = QDir::cleanPath(QDir::fromNativeSeparators(dir));
}

ProgramFolders ProgramFolders::portable(const QString &programDir)
{
    return ProgramFolders({programDir});
}

ProgramFolders ProgramFolders::installed(const QString &userDir, const QString &installedVoiceDir)
{
    return ProgramFolders({userDir, installedVoiceDir});
}

ProgramFolders ProgramFolders::decide(const QString &programDir, bool programDirWritable,
                                      const QString &installedVoiceDir, const QString &userDir)
{
    const bool voicesInstalled = QFileInfo(installedVoiceDir).isDir();
    if (programDirWritable && !voicesInstalled)
        return portable(programDir);
    // A copy on read-only media keeps its voices beside the executable.
    return installed(userDir, voicesInstalled ? installedVoiceDir : programDir);
}

ProgramFolders ProgramFolders::forThisProgram()
{
    const QString programDir = QCoreApplication::applicationDirPath();
    // TALK_VOICES_FROM_PROGRAM_DIR: the installed voice folder relative to the installed
    // executable's folder (../share/talkboard/voices), so an unpacked or relocated tree works too.
    const QString voiceDir =
        QDir(programDir).filePath(QStringLiteral(TALK_VOICES_FROM_PROGRAM_DIR));
    const QString userDir = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    return decide(programDir, QFileInfo(programDir).isWritable(), voiceDir, userDir);
}

QString ProgramFolders::dataDir() const
{
    return QDir::toNativeSeparators(m_voiceDirs.constFirst());
}

bool ProgramFolders::ensureDataDir() const
{
    return QDir().mkpath(m_voiceDirs.constFirst());
}

QString ProgramFolders::voiceFile(const QString &name) const
{
    const QString fileName = name + u".wav"_s;
    for (const QString &dir : m_voiceDirs) {
        const QString path = dir + u'/' + fileName;
        if (QFileInfo::exists(path))
            return QDir::toNativeSeparators(path);
    }
    return QDir::toNativeSeparators(m_voiceDirs.constFirst() + u'/' + fileName);
}
