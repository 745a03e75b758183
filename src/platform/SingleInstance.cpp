#include "platform/SingleInstance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QSysInfo>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

namespace {
// A held lock whose file names no process of this machine: empty, garbage, or written
// elsewhere. QLockFile counts it as held for ever.
bool ownerUnknown(const QLockFile &lock)
{
    qint64 pid = 0;
    QString host;
    QString app;
    return !lock.getLockInfo(&pid, &host, &app) || host != QSysInfo::machineHostName();
}
} // namespace

SingleInstance::SingleInstance(const QString &executablePath, const QString &lockDir)
{
    const QByteArray id =
        QCryptographicHash::hash(QDir::cleanPath(executablePath).toUtf8(), QCryptographicHash::Sha1)
            .toHex()
            .left(16);
    const QString dir = lockDir.isEmpty() ? QDir::tempPath() : lockDir;
    const QString name = u"talk-%1-%2.lock"_s.arg(getuid()).arg(QString::fromLatin1(id));
    m_lock = std::make_unique<QLockFile>(QDir(dir).filePath(name));
    // Age never makes a live instance's lock stale; only a dead owner does.
    m_lock->setStaleLockTime(0);
    m_first = m_lock->tryLock(0);
    // Held by a running instance: the one case that ends this start.
    if (m_first || (m_lock->error() == QLockFile::LockFailedError && !ownerUnknown(*m_lock)))
        return;
    // The lock cannot be made or read. A corrupt one is replaced when it can be; either way
    // this instance runs.
    if (m_lock->error() == QLockFile::LockFailedError && m_lock->removeStaleLockFile())
        m_lock->tryLock(0);
    m_first = true;
}
