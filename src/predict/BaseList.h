#pragma once

#include "predict/WordList.h"

#include <QString>

// The base list of common Japanese words in kana, built into the program from a language
// model's word costs: lines "text<TAB>cost", a lower cost for a commoner word.
namespace BaseList {

// The built-in list.
QString builtInPath();
// The list in `path`; lines that do not hold a text and a cost are skipped.
WordList load(const QString &path);
// The weight of a word of `cost`: 1 for the commonest, falling tenfold every 10,000.
double weightOf(int cost);

} // namespace BaseList
