#include "platform/ProgramFolders.h"

#include "platform/TextFile.h"

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
    ProgramFolders folders = installed(userDir, voicesInstalled ? installedVoiceDir : programDir);
    if (!programDirWritable)
        folders.m_readOnlyProgramDir = QDir::cleanPath(QDir::fromNativeSeparators(programDir));
    return folders;
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

QString ProgramFolders::dataFile(const QString &name) const
{
    return QDir(m_voiceDirs.constFirst()).filePath(name);
}

bool ProgramFolders::ensureDataDir() const
{
    const QString dir = m_voiceDirs.constFirst();
    if (QFileInfo(dir).isDir())
        return true;
    return QDir().mkpath(QFileInfo(dir).absolutePath()) &&
           QDir().mkdir(dir, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

QStringList ProgramFolders::adoptDataFiles(const QStringList &names)
{
    QStringList adopted;
    if (m_readOnlyProgramDir.isEmpty())
        return adopted;
    const QString dataDir = m_voiceDirs.constFirst();
    for (const QString &name : names) {
        const QString target = dataDir + u'/' + name;
        QFile source(m_readOnlyProgramDir + u'/' + name);
        // Whatever has the name is the user's: a link leading nowhere too (a stick not plugged
        // in), which a copy would be written through.
        const QFileInfo found(target);
        if (found.exists() || found.isSymLink() || !QFileInfo(source).isFile())
            continue;
        const QByteArray bytes = source.open(QIODevice::ReadOnly) ? source.readAll() : QByteArray();
        if (bytes.size() != source.size() || !ensureDataDir() ||
            !TextFile::writeBytes(target, bytes)) {
            m_voiceDirs.first() = m_readOnlyProgramDir;
            return {};
        }
        adopted.append(name);
    }
    return adopted;
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
