#include "platform/SingleInstance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

namespace {

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
    const QString dir = lockDir.isEmpty()
                            ? QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation)
                            : lockDir;
    if (dir.isEmpty())
        return;
    const QByteArray id =
        QCryptographicHash::hash(QDir::cleanPath(executablePath).toUtf8(), QCryptographicHash::Sha1)
            .toHex()
            .left(16);
    const QString base = QDir(dir).filePath(u"talk-%1"_s.arg(QString::fromLatin1(id)));
    m_fd = openLockFile(QFile::encodeName(base + u".lock"_s));
    if (m_fd < 0)
        return;
    const QString socketPath = base + u".socket"_s;
    if (flock(m_fd, LOCK_EX | LOCK_NB) != 0) {
        close(m_fd);
        m_fd = -1;
        m_found = answers(socketPath) ? Found::Running : Found::RunningNoWindow;
        return;
    }
    // Held: whatever socket is there was left by an instance that ended.
    QLocalServer::removeServer(socketPath);
    m_answer = std::make_unique<QLocalServer>();
    QObject::connect(m_answer.get(), &QLocalServer::newConnection, m_answer.get(), [this] {
        while (QLocalSocket *next = m_answer->nextPendingConnection()) {
            QObject::connect(next, &QLocalSocket::disconnected, next, &QObject::deleteLater);
            next->write("shown\n");
        }
    });
    m_answer->listen(socketPath);
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
