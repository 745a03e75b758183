#pragma once

// Captions and messages of the diary screen.
namespace DiaryTexts {
inline constexpr char16_t kNarrow[] = u"狭める";
inline constexpr char16_t kEndTitle[] = u"日記の終了";
// Followed by the path of the copy.
inline constexpr char16_t kOriginalKept[] =
    u"日記のファイルに読めない文字があったので、元のファイルを次の名前で残しました：\n";
} // namespace DiaryTexts
