#include "platform/PrivateTemp.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

namespace {

// A folder, not a link to one, that belongs to this user.
bool isOwnFolder(const QString &path, struct stat *found)
{
    return !path.isEmpty() && ::lstat(QFile::encodeName(path).constData(), found) == 0 &&
           S_ISDIR(found->st_mode) && found->st_uid == ::getuid();
}

bool isPrivateFolder(const QString &path)
{
    struct stat found
    {
    };
    return isOwnFolder(path, &found) && (found.st_mode & (S_IRWXG | S_IRWXO)) == 0;
}

bool isRunning(qint64 pid)
{
    return pid == ::getpid() || ::kill(pid_t(pid), 0) == 0 || errno == EPERM;
}

// Removes this user's folders "<prefix>-<pid>-…" in `dir` whose process has ended (and those
// of an earlier naming, "<prefix>-XXXXXX", that carry no process number).
void clearStale(const QString &dir, const QString &prefix)
{
    if (dir.isEmpty())
        return;
    const QStringList names =
        QDir(dir).entryList({prefix + u"-*"_s}, QDir::Dirs | QDir::NoSymLinks | QDir::Hidden);
    for (const QString &name : names) {
        bool numbered = false;
        const qint64 pid = name.mid(prefix.size() + 1).section(u'-', 0, 0).toLongLong(&numbered);
        const QString path = dir + u'/' + name;
        struct stat found
        {
        };
        if ((numbered && pid > 0 && isRunning(pid)) || !isOwnFolder(path, &found))
            continue;
        QDir(path).removeRecursively();
    }
}

QString preparedTemplate(const QString &prefix)
{
    const QString base = PrivateTemp::base();
    clearStale(base, prefix);
    if (QDir::tempPath() != base)
        clearStale(QDir::tempPath(), prefix);
    return base + u'/' + prefix + u'-' + QString::number(::getpid()) + u"-XXXXXX"_s;
}

} // namespace

PrivateTemp::PrivateTemp(const QString &prefix) : m_dir(preparedTemplate(prefix)) {}

QString PrivateTemp::base()
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (isPrivateFolder(runtime))
        return QDir::cleanPath(runtime);
    // Empty when TMPDIR names a folder that is missing.
    const QString temp = QDir::tempPath();
    const QFileInfo tempInfo(temp);
    if (!temp.isEmpty() && tempInfo.isDir() && tempInfo.isWritable())
        return temp;
    return u"/tmp"_s;
}
