#include "samples/SampleLines.h"
#include "core/Spaces.h"

#include "samples/SampleFile.h"
#include "samples/SampleTexts.h"

QStringList SampleLines::sentences(QStringList &&lines)
{
    // The lines are edited in place and moved on, so the file's text is held only once.
    QStringList result;
    result.reserve(lines.size());
    for (QString &line : lines) {
        if (trimSpaces(line).isEmpty())
            continue;
        line.remove(u'"');
        result.append(trimSpaces(std::move(line)));
    }
    lines.clear();
    return result;
}

QString SampleLines::fileLine(const QString &rowText)
{
    const QString trimmed = trimSpaces(rowText);
    if (SampleTexts::isReserved(trimmed))
        return u'"' + QString::fromUtf16(SampleFile::kPlaceholder) + u'"';
    if (trimmed.isEmpty())
        return {};
    return u'"' + rowText + u'"';
}
