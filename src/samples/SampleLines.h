#pragma once

#include <QStringList>

// How "Talk.txt" lines become list sentences and back; no widgets, so the fuzz targets
// check the same rules the program uses.
namespace SampleLines {

// The sentences of the file's lines in file order: lines blank after trimming spaces are
// left out, every double quote is removed, spaces are trimmed. The lines are consumed.
QStringList sentences(QStringList &&lines);

// The file line of a list row's text: the diary placeholder line for "日記" or "メモ",
// nothing (an empty text) for a blank row, the quoted text otherwise.
QString fileLine(const QString &rowText);

} // namespace SampleLines
