// Any bytes as a sample or diary file: reading never crashes, and saving what was read
// reads back the same lines (nothing lost, nothing split).
#include "platform/TextFile.h"

#include <QDir>
#include <QFile>
#include <cstdlib>

using namespace Qt::Literals::StringLiterals;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const QString dir = QDir::tempPath() + u"/talk-fuzz-%1"_s.arg(getpid());
    static const bool made = QDir().mkpath(dir);
    if (!made)
        return 0;
    const QString path = dir + u"/Talk.txt"_s;
    {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 0;
        f.write(reinterpret_cast<const char *>(data), qsizetype(size));
    }
    const TextFile::ReadResult first = TextFile::readLines(path);
    if (!first.ok())
        abort();
    if (!TextFile::writeLines(path, first.lines))
        abort();
    const TextFile::ReadResult second = TextFile::readLines(path);
    // A lone CR inside a line is stored as a line break of the UTF-8 form and reads back
    // as "\n"; compare with that one normalisation.
    QStringList expected = first.lines;
    for (QString &l : expected) {
        l.replace(u"\r\n"_s, u"\n"_s);
        l.replace(u'\r', u'\n');
    }
    if (!second.ok() || second.lines != expected)
        abort();
    return 0;
}
