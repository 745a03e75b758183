#pragma once

#include <QString>
#include <optional>

// How "day.txt" lines become diary entries and back; no widgets, so the fuzz targets check
// the same rules the program uses.
namespace DiaryLines {

struct Entry
{
    QString stamp; // the first eight characters, "YY.MM.DD" in a well-formed line (seven
                   // when the eighth would split a two-unit character)
    QString text;
};

// The entry of a line with its quotes removed, or nothing for a line blank after trimming
// spaces. The text starts after the stamp's separating space; a line whose ninth character
// is not a space (written by hand or by another program) keeps that character in its text.
std::optional<Entry> entry(const QString &line);

QString fileLine(const QString &stamp, const QString &text);

} // namespace DiaryLines
