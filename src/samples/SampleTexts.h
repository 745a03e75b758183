#pragma once

#include <QString>

// Texts of the sample-list screen and the rules its texts follow.
namespace SampleTexts {

inline constexpr char16_t kDiary[] = u"日記";
inline constexpr char16_t kMemo[] = u"メモ";

// Removes leading and trailing ASCII spaces (the sample file's own trimming).
QString trimSpaces(const QString &text);
// "日記" and "メモ" stand for the diary entry.
bool isReserved(const QString &trimmed);

} // namespace SampleTexts
