// Any bytes as "Talk.txt": reading never crashes and yields every line of the bytes (or says
// the file is not clean), and saving the sentences read, as the program saves its list, reads
// back the same sentences (nothing lost, split or merged).
#include "FuzzFile.h"
#include "platform/TextFile.h"
#include "samples/SampleFile.h"
#include "samples/SampleLines.h"
#include "samples/SampleTexts.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString path = writeFuzzFile(SampleFile::kFileName, data, size);
    if (path.isEmpty())
        return 0;
    TextFile::ReadResult first = TextFile::readLines(path);
    if (!first.ok() || !readAsExpected(QByteArrayView(data, qsizetype(size)), first))
        abort();
    // Broken UTF-16 (half a surrogate pair) cannot be written back; the program keeps a copy
    // of such a file instead.
    if (!first.clean && (first.encoding == TextFile::Encoding::Utf16Le ||
                         first.encoding == TextFile::Encoding::Utf16Be))
        return 0;
    const QStringList sentences = SampleLines::sentences(std::move(first.lines));
    QStringList lines;
    QStringList expected;
    for (const QString &s : sentences) {
        const QString line = SampleLines::fileLine(s);
        if (line.isEmpty())
            continue;
        lines.append(line);
        // Reserved texts are stored as the placeholder; a lone CR comes back as a line break.
        QString kept =
            SampleTexts::isReserved(s) ? QString::fromUtf16(SampleFile::kPlaceholder) : s;
        kept.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        kept.replace(u'\r', u'\n');
        expected.append(kept);
    }
    if (!TextFile::writeLines(path, lines))
        abort();
    TextFile::ReadResult second = TextFile::readLines(path);
    if (!second.ok() || SampleLines::sentences(std::move(second.lines)) != expected)
        abort();
    return 0;
}
