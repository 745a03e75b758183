#pragma once

// Captions of the options dialog.
namespace OptionTexts {
inline constexpr char16_t kCaption[] = u"オプション";
inline constexpr char16_t kBoardFrame[] = u"１画面目の設定";
inline constexpr char16_t kSelectionFrame[] = u"文字選択画面の設定（拡大画面）";
inline constexpr char16_t kVoiceFrame[] = u"声の設定";
inline constexpr char16_t kSampleFrame[] = u"例文の設定";
// Option1 by index (the value stored under "OPT1").
inline constexpr const char16_t *kOption1[] = {
    u"１回クリックで文字選択画面へ", u"２回クリックで文字選択画面へ", u"１回クリックで文字入力",
    u"２回クリックで文字入力"};
inline constexpr const char16_t *kOption2[] = {u"１回クリックで文字入力",
                                               u"２回クリックで文字入力"};
inline constexpr const char16_t *kOption3[] = {
    u"毎回声を出す", u"文字選択での時に声を出す　（毎回）", u"文字入力の時に声を出す　　（最後）",
    u"声を出さない"};
inline constexpr char16_t kSampAuto[] = u"例文を自動で表示する。";
inline constexpr const char16_t *kSampleItems[] = {u"１", u"２", u"３", u"４", u"５"};
inline constexpr char16_t kSampleLabel[] = u"文字で例文を表示する。";
inline constexpr char16_t kMaxC[] = u"濁点表示文字";
inline constexpr char16_t kBeep[] = u"キー確認音を出す。";
inline constexpr char16_t kMoji[] = u"文字を拡大する。";
inline constexpr char16_t kCancel[] = u"キャンセル";
inline constexpr char16_t kConfirm[] = u"確定";
inline constexpr char16_t kNotStored[] =
    u"設定を保存できませんでした。\n終了するまでは、この設定で動きます";
} // namespace OptionTexts

// The predictions' block of the options dialog.
namespace PredictOptionTexts {
inline constexpr char16_t kFrame[] = u"予測の設定";
// By the value stored under "Mode".
inline constexpr const char16_t *kMode[] = {u"文字盤の上に一覧で出す（今まで通り）",
                                            u"文の下に一列で出す（盤を隠さない）"};
inline constexpr char16_t kLearn[] = u"使った言葉を覚えて予測に出す";
inline constexpr char16_t kForget[] = u"覚えた言葉をすべて忘れる…";
inline constexpr char16_t kForgetQuestion[] =
    u"覚えた言葉をすべて忘れます。\n元には戻せません。よろしいですか？";
inline constexpr char16_t kForgetPending[] = u"「確定」を押すと忘れます";
} // namespace PredictOptionTexts
