#include "diary/DiaryLines.h"

#include "core/Spaces.h"

namespace {
constexpr qsizetype kStampLength = 8;
} // namespace

std::optional<DiaryLines::Entry> DiaryLines::entry(const QString &line)
{
    if (trimSpaces(line).isEmpty())
        return std::nullopt;
    QString s = line;
    s.remove(u'"');
    const QStringView view(s);
    // A character of two UTF-16 units is never cut in half between stamp and text.
    qsizetype length = kStampLength;
    if (s.size() > length && s.at(length).isLowSurrogate())
        --length;
    const bool separated = s.size() <= length || s.at(length) == u' ';
    return Entry{s.left(length), trimSpaces(view.mid(separated ? length + 1 : length).toString())};
}

QString DiaryLines::fileLine(const QString &stamp, const QString &text)
{
    return u'"' + stamp + u' ' + text + u'"';
}
