#include "platform/SingleInstance.h"

#include <QCryptographicHash>
#include <QDir>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

SingleInstance::SingleInstance(const QString &executablePath, const QString &lockDir)
{
    const QByteArray id = QCryptographicHash::hash(QDir::cleanPath(executablePath).toUtf8(),
                                                   QCryptographicHash::Sha1)
                              .toHex()
                              .left(16);
    const QString dir = lockDir.isEmpty() ? QDir::tempPath() : lockDir;
    const QString name = u"talk-%1-%2.lock"_s.arg(getuid()).arg(QString::fromLatin1(id));
    m_lock = std::make_unique<QLockFile>(QDir(dir).filePath(name));
    // Age never makes a live instance's lock stale; only a dead owner does.
    m_lock->setStaleLockTime(0);
    m_first = m_lock->tryLock(0);
}
