#pragma once

// Texts of reading aloud and its stop panel.
namespace ReadTexts {
inline constexpr char16_t kReadingCaption[] = u"♪";
inline constexpr char16_t kPanelCaption[] = u"読み上げ中止パネル";
inline constexpr char16_t kStopLabel[] = u"読み上げ中止";
} // namespace ReadTexts
