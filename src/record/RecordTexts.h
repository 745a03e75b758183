#pragma once

// Captions and messages of the recording screen.
namespace RecordTexts {
inline constexpr char16_t kCaption[] = u"声の録音";
inline constexpr char16_t kMarksPage[] = u"記号";
inline constexpr char16_t kCuesPage[] = u"ボタン";
inline constexpr char16_t kAnswersPage[] = u"答え";
inline constexpr char16_t kRecord[] = u"録音";
inline constexpr char16_t kStop[] = u"停止";
inline constexpr char16_t kListen[] = u"聞く";
inline constexpr char16_t kSave[] = u"保存";
inline constexpr char16_t kRetake[] = u"録り直す";
inline constexpr char16_t kPrevious[] = u"前へ";
inline constexpr char16_t kNext[] = u"次へ";
inline constexpr char16_t kRestore[] = u"元の声に戻す";
inline constexpr char16_t kClose[] = u"閉じる";
inline constexpr char16_t kShare[] = u"同じ読みにも使う";

inline constexpr char16_t kNoMicrophone[] = u"マイクが見つかりません";
inline constexpr char16_t kCannotStart[] = u"録音を始められませんでした";
inline constexpr char16_t kRecording[] = u"録音中…";
inline constexpr char16_t kSaved[] = u"保存しました";
inline constexpr char16_t kSaveFailed[] = u"保存できませんでした。前の声はそのまま残っています";
inline constexpr char16_t kRestored[] = u"元の声に戻しました";
inline constexpr char16_t kRestoreFailed[] =
    u"元の声に戻せませんでした。今の声はそのまま残っています";
inline constexpr char16_t kOriginalNotAVoice[] =
    u"残してある元の声が壊れているため、戻しませんでした";

inline constexpr char16_t kClipped[] = u"音が割れています。少し離れてください";
inline constexpr char16_t kTooQuiet[] = u"声が小さすぎます";
inline constexpr char16_t kTooLong[] = u"長すぎます（読む時は0.8秒で次に進みます）";
inline constexpr char16_t kSilent[] = u"声が聞き取れませんでした";

// Cell states, for screen readers and the legend.
inline constexpr char16_t kOwnVoice[] = u"自分の声";
inline constexpr char16_t kGeneratedVoice[] = u"合成の声";
inline constexpr char16_t kNoVoice[] = u"声なし";
inline constexpr char16_t kSeconds[] = u"%1 秒";
} // namespace RecordTexts
