#pragma once

// Texts of the sentence speech settings (the "声" tab).
namespace SpeechTexts {
inline constexpr char16_t kModeLabel[] = u"読み方";
// By Mode value.
inline constexpr const char16_t *kModes[] = {u"一文字ずつ読む", u"文として読む"};
inline constexpr char16_t kSpeedLabel[] = u"速さ（％）";
inline constexpr char16_t kPitchLabel[] = u"高さ（半音）";
inline constexpr char16_t kVolumeLabel[] = u"大きさ（dB）";
inline constexpr char16_t kTry[] = u"試す";
// %1: the Debian package that is missing.
inline constexpr char16_t kMissing[] = u"「文として読む」にはパッケージ %1 が必要です";
inline constexpr char16_t kSample[] = u"こんにちは。きょうはいいてんきですね。";
} // namespace SpeechTexts
