#pragma once

// Captions and messages of the diary screen.
namespace DiaryTexts {
inline constexpr char16_t kNarrow[] = u"狭める";
inline constexpr char16_t kEndTitle[] = u"日記の終了";
// Followed by the name of the copy, broken after ".bak-" so that it fits the dialog's two
// lines; the title says why it was made.
inline constexpr char16_t kOriginalKeptTitle[] = u"日記のファイルに読めない文字がありました";
} // namespace DiaryTexts
