// Any bytes as "day.txt": reading never crashes and yields every line of the bytes (or says
// the file is not clean), and saving the entries read, as the program saves its diary, reads
// back every entry with the same text and stamp.
#include "FuzzFile.h"
#include "diary/DiaryFile.h"
#include "diary/DiaryLines.h"
#include "platform/TextFile.h"

#include <cstdlib>
#include <vector>

namespace {
std::vector<DiaryLines::Entry> entries(const QStringList &lines)
{
    std::vector<DiaryLines::Entry> result;
    for (const QString &line : lines)
        if (std::optional<DiaryLines::Entry> e = DiaryLines::entry(line))
            result.push_back(*e);
    return result;
}

QString withoutSpaces(QString s)
{
    return s.remove(u' ');
}

QString oneLineBreakForm(QString s)
{
    s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return s.replace(u'\r', u'\n');
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString path = writeFuzzFile(DiaryFile::kFileName, data, size);
    if (path.isEmpty())
        return 0;
    const TextFile::ReadResult first = TextFile::readLines(path);
    if (!first.ok() || !readAsExpected(QByteArrayView(data, qsizetype(size)), first))
        abort();
    // Broken UTF-16 (half a surrogate pair) cannot be written back; the program keeps a copy
    // of such a file instead.
    if (!first.clean && (first.encoding == TextFile::Encoding::Utf16Le ||
                         first.encoding == TextFile::Encoding::Utf16Be))
        return 0;
    const std::vector<DiaryLines::Entry> read = entries(first.lines);
    QStringList lines;
    for (const DiaryLines::Entry &e : read)
        lines.append(DiaryLines::fileLine(e.stamp, e.text));
    if (!TextFile::writeLines(path, lines))
        abort();
    const TextFile::ReadResult second = TextFile::readLines(path);
    if (!second.ok())
        abort();
    const std::vector<DiaryLines::Entry> back = entries(second.lines);
    if (back.size() != read.size())
        abort();
    // A stamp shorter than eight characters gains the separating space; nothing else moves.
    for (size_t i = 0; i < read.size(); ++i)
        if (oneLineBreakForm(back[i].text) != oneLineBreakForm(read[i].text) ||
            withoutSpaces(oneLineBreakForm(back[i].stamp)) !=
                withoutSpaces(oneLineBreakForm(read[i].stamp)))
            abort();
    return 0;
}
