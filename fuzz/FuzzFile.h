#pragma once

#include <QDir>
#include <QFile>
#include <QString>
#include <cstddef>
#include <cstdint>
#include <unistd.h>

// The fuzz input written as a file of the given name in a folder of this process's own;
// an empty path when it cannot be written.
inline QString writeFuzzFile(const char16_t *name, const uint8_t *data, size_t size)
{
    static const QString dir = QDir::tempPath() + QStringLiteral("/talk-fuzz-%1").arg(getpid());
    static const bool made = QDir().mkpath(dir);
    if (!made)
        return {};
    const QString path = dir + u'/' + QString::fromUtf16(name);
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return {};
    if (f.write(reinterpret_cast<const char *>(data), qsizetype(size)) != qsizetype(size))
        return {};
    return path;
}
