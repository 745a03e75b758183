#include "platform/SingleInstance.h"

#include "platform/PrivateFolder.h"

#include <QCryptographicHash>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <climits>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

namespace {

// The longest path a local socket can have, without its closing zero byte.
constexpr qsizetype kLongestSocketPath = sizeof(sockaddr_un::sun_path) - 1;

// A short name standing for `text`, the same in every process.
QString hashedName(const QString &text)
{
    return QString::fromLatin1(
        QCryptographicHash::hash(text.toUtf8(), QCryptographicHash::Sha1).toHex().left(16));
}

// The user's runtime folder; where there is none of the user's own (it is not set and the one
// in the temporary folder belongs to someone else), a private one in the user's cache folder.
QString defaultLockDir()
{
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (!runtime.isEmpty())
        return runtime;
    const QString own =
        QStandardPaths::writableLocation(QStandardPaths::CacheLocation) + u"/instance"_s;
    return PrivateFolder::ensure(own) ? own : QString();
}

// Where the answer socket of the lock at `base` goes: beside the lock when the path fits a
// socket, or else under a hashed name in a private folder in the temporary folder. Empty when
// neither can be had.
QString answerSocketPath(const QString &base)
{
    const QString beside = base + u".socket"_s;
    if (QFile::encodeName(beside).size() <= kLongestSocketPath)
        return beside;
    const QString shortDir = QDir::tempPath() + u"/talk-%1"_s.arg(geteuid());
    const QString hashed = shortDir + u'/' + hashedName(beside) + u".socket"_s;
    if (QFile::encodeName(hashed).size() > kLongestSocketPath || !PrivateFolder::ensure(shortDir))
        return {};
    return hashed;
}

// Replaces what the lock file says with `socketPath`, the path its holder answers on (empty:
// it answers on none).
bool writeRecord(int fd, const QByteArray &socketPath)
{
    return ftruncate(fd, 0) == 0 &&
           pwrite(fd, socketPath.constData(), socketPath.size(), 0) == socketPath.size();
}

// The path the holder of the lock answers on; empty when it named none.
QString readRecord(int fd)
{
    QByteArray bytes(PATH_MAX, Qt::Uninitialized);
    const ssize_t got = pread(fd, bytes.data(), bytes.size(), 0);
    return got > 0 ? QFile::decodeName(bytes.left(got)) : QString();
}

// Opens the lock file without ever blocking or following a link: anything at its path that is
// not a plain file (a FIFO, a link to a device) is removed first; the folder is the user's own.
// -1 when no plain file can be had.
int openLockFile(const QByteArray &path)
{
    struct stat found
    {
    };
    if (lstat(path.constData(), &found) == 0 && !S_ISREG(found.st_mode) && unlink(path) != 0)
        return -1;
    const int fd =
        open(path.constData(), O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0600);
    if (fd < 0)
        return -1;
    if (fstat(fd, &found) != 0 || !S_ISREG(found.st_mode)) {
        close(fd);
        return -1;
    }
    return fd;
}

// Whether the instance holding the lock answers on its socket.
bool answers(const QString &socketPath)
{
    QLocalSocket socket;
    socket.connectToServer(socketPath);
    return socket.waitForConnected(SingleInstance::kAnswerMs) &&
           socket.waitForReadyRead(SingleInstance::kAnswerMs);
}

} // namespace

SingleInstance::SingleInstance(const QString &executablePath, const QString &lockDir)
{
    const QString dir = lockDir.isEmpty() ? defaultLockDir() : lockDir;
    if (dir.isEmpty())
        return;
    const QString base =
        QDir(dir).filePath(u"talk-"_s + hashedName(QDir::cleanPath(executablePath)));
    m_fd = openLockFile(QFile::encodeName(base + u".lock"_s));
    if (m_fd < 0)
        return;
    if (flock(m_fd, LOCK_EX | LOCK_NB) != 0) {
        const QString socketPath = readRecord(m_fd);
        close(m_fd);
        m_fd = -1;
        // One that names no socket is starting, or has none to answer on: it runs all the same.
        m_found =
            socketPath.isEmpty() || answers(socketPath) ? Found::Running : Found::RunningNoWindow;
        return;
    }
    // Held: whatever the file says was left by an instance that ended.
    if (!writeRecord(m_fd, {})) {
        release();
        return;
    }
    const QString socketPath = answerSocketPath(base);
    if (socketPath.isEmpty() || !answerAt(socketPath))
        return;
    if (!writeRecord(m_fd, QFile::encodeName(socketPath)))
        release();
}

bool SingleInstance::answerAt(const QString &socketPath)
{
    // Whatever socket is there was left by an instance that ended.
    QLocalServer::removeServer(socketPath);
    m_answer = std::make_unique<QLocalServer>();
    QObject::connect(m_answer.get(), &QLocalServer::newConnection, m_answer.get(), [this] {
        while (QLocalSocket *next = m_answer->nextPendingConnection()) {
            QObject::connect(next, &QLocalSocket::disconnected, next, &QObject::deleteLater);
            next->write("shown\n");
        }
    });
    if (m_answer->listen(socketPath))
        return true;
    m_answer.reset();
    return false;
}

SingleInstance::~SingleInstance()
{
    release();
}

void SingleInstance::release()
{
    m_answer.reset();
    if (m_fd >= 0)
        close(m_fd);
    m_fd = -1;
}
