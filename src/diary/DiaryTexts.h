#pragma once

// Captions and messages of the diary screen.
namespace DiaryTexts {
inline constexpr char16_t kNarrow[] = u"狭める";
inline constexpr char16_t kSaveFailed[] = u"日記を保存できませんでした";
inline constexpr char16_t kEndTitle[] = u"日記の終了";
} // namespace DiaryTexts
