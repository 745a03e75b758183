#pragma once

// The quick answers' captions and their dialog.
namespace QuickTexts {
// Said by the buttons until a carer sets phrases of their own.
inline constexpr const char16_t *kDefaultPhrases[] = {
    u"はい", u"いいえ", u"ちょっとまって", u"わからない", u"ありがとう", u"もういちど"};
// The group scanning reaches first, the options button and the dialog's title.
inline constexpr char16_t kGroup[] = u"よく使う答え";
inline constexpr char16_t kOpenButton[] = u"よく使う答え…";
inline constexpr char16_t kShow[] = u"よく使う答えを出す";
inline constexpr char16_t kPhraseLabel[] = u"答え%1";
inline constexpr char16_t kPartnerShow[] = u"相手に見せる";
inline constexpr char16_t kCancel[] = u"キャンセル";
inline constexpr char16_t kConfirm[] = u"確定";
} // namespace QuickTexts
