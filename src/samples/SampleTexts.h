#pragma once

#include <QString>

// Texts of the sample-list screen and the rules its texts follow.
namespace SampleTexts {

inline constexpr char16_t kDiary[] = u"日記";
inline constexpr char16_t kMemo[] = u"メモ";

inline constexpr char16_t kShowCaption[] = u"例文表示";
inline constexpr char16_t kCloseCaption[] = u"例文終了";
inline constexpr char16_t kDiaryCloseCaption[] = u"日記終了";

inline constexpr char16_t kAddTitle[] = u"例文登録";
inline constexpr char16_t kDuplicate[] = u"同一文が登録されています";
inline constexpr char16_t kReservedRefused[] = u"「日記」と「メモ」は例文にできません";
inline constexpr char16_t kDeleteTitle[] = u"例文の削除";
inline constexpr char16_t kDeleteQuestion[] = u"上記例文を削除してもいいですか？";
inline constexpr char16_t kSaveFailed[] = u"例文を保存できませんでした";
inline constexpr char16_t kStartQuestion[] = u"はじめからでよろしいですか？";
inline constexpr char16_t kDiaryEndTitle[] = u"日記の終了";
inline constexpr char16_t kDiaryEndQuestion[] = u"日記を登録して終了します";
inline constexpr char16_t kDiarySaveFailed[] = u"日記を保存できませんでした";
// Followed by the name of the copy, broken after ".bak-" so that it fits the dialog's two
// lines; the title says why it was made.
inline constexpr char16_t kOriginalKeptTitle[] = u"例文のファイルに読めない文字がありました";

// "日記" and "メモ" stand for the diary entry.
bool isReserved(const QString &trimmed);

} // namespace SampleTexts
