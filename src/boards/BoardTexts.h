#pragma once

// Captions of the character-set switch; each names the set on show.
namespace BoardTexts {
inline constexpr char16_t kHiragana[] = u"ひら";
inline constexpr char16_t kKatakana[] = u"カタ";
inline constexpr char16_t kAlphanumeric[] = u"英数";
} // namespace BoardTexts
