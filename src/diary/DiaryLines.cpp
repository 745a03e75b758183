#include "diary/DiaryLines.h"

namespace {
constexpr qsizetype kStampLength = 8;

QString trimSpaces(QStringView text)
{
    qsizetype from = 0;
    qsizetype to = text.size();
    while (from < to && text[from] == u' ')
        ++from;
    while (to > from && text[to - 1] == u' ')
        --to;
    return text.mid(from, to - from).toString();
}
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
    return Entry{s.left(length), trimSpaces(view.mid(separated ? length + 1 : length))};
}

QString DiaryLines::fileLine(const QString &stamp, const QString &text)
{
    return u'"' + stamp + u' ' + text + u'"';
}
