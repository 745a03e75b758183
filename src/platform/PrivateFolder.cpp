#include "platform/PrivateFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <sys/stat.h>
#include <unistd.h>

namespace PrivateFolder {

bool ensure(const QString &path)
{
    const QByteArray name = QFile::encodeName(QDir::cleanPath(path));
    QDir().mkpath(QFileInfo(path).absolutePath());
    mkdir(name.constData(), S_IRWXU);
    struct stat found = {};
    if (lstat(name.constData(), &found) != 0 || !S_ISDIR(found.st_mode) ||
        found.st_uid != geteuid())
        return false;
    return (found.st_mode & (S_IRWXG | S_IRWXO)) == 0 || chmod(name.constData(), S_IRWXU) == 0;
}

} // namespace PrivateFolder
