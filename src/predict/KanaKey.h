#pragma once

#include <QString>
#include <QStringView>

// The texts candidates are looked up by: katakana folded to hiragana, so "とい" finds "トイレ".
namespace KanaKey {

QString fold(QStringView text);

// Where the sentence the caret stands in begins: just after the last "。", "！", "？", "!", "?"
// or line break before `caret`, or 0.
qsizetype sentenceStart(QStringView text, qsizetype caret);

} // namespace KanaKey
