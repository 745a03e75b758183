#pragma once

// Captions of the main window and its shell, exactly as the user sees them.
namespace AppTexts {
inline constexpr char16_t kCaption[] = u"PakoTalk!  Ver 1.3";
inline constexpr char16_t kBack[] = u"戻る";
inline constexpr char16_t kSpace[] = u"スペース";
inline constexpr char16_t kWiden[] = u"広げる";
inline constexpr char16_t kCopy[] = u"コピ";
inline constexpr char16_t kPaste[] = u"貼る";
inline constexpr char16_t kStart[] = u"始め";
inline constexpr char16_t kShowSamples[] = u"例文表示";
inline constexpr char16_t kAddSample[] = u"例文追加";
inline constexpr char16_t kDeleteSample[] = u"例文削除";
inline constexpr char16_t kAlnum[] = u"英数";
inline constexpr char16_t kRead[] = u"読む";
inline constexpr char16_t kEnd[] = u"終了";
inline constexpr char16_t kOptions[] = u"設定";
inline constexpr char16_t kRevise[] = u"修正する";
inline constexpr char16_t kUp[] = u"△";
inline constexpr char16_t kDown[] = u"▽";
inline constexpr char16_t kDecide[] = u"決定";
inline constexpr char16_t kCaretRight[] = u"→";
inline constexpr char16_t kCaretBs[] = u"ＢＳ";
inline constexpr char16_t kCaretLeft[] = u"←";
inline constexpr char16_t kCaretDown[] = u"↓";
inline constexpr char16_t kCaretUp[] = u"↑";
// Told once when the sentences and the diary of a program folder that cannot be written were
// copied to the user's own folder; the folder follows.
inline constexpr char16_t kDataFolderTitle[] = u"保存先";
inline constexpr char16_t kDataFolderMoved[] = u"例文と日記の保存先：\n";
// A start that finds an earlier one holding the program but showing no window.
inline constexpr char16_t kEarlierStartHangs[] =
    u"前に起動したトークが、画面を出さないまま残っています。しばらく待ってから、もう一度起動してく"
    u"ださい。";
} // namespace AppTexts
