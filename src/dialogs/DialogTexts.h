#pragma once

// Captions of the question dialog, and the notice that names the kept copy of a damaged file.
namespace DialogTexts {
inline constexpr char16_t kCaption[] = u"問い合わせ？";
inline constexpr char16_t kLabel[] = u"Label1";
inline constexpr char16_t kOk[] = u"OK";
inline constexpr char16_t kCancel[] = u"キャンセル";
inline constexpr char16_t kYes[] = u"ＹＥＳ";
inline constexpr char16_t kNo[] = u"ＮＯ";
inline constexpr char16_t kWideOk[] = u"ＯＫ";
inline constexpr char16_t kOriginalKept[] = u"控え：";
} // namespace DialogTexts
