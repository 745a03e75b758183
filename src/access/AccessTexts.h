#pragma once

// Captions of the access settings dialog and the scanning overlay.
namespace AccessTexts {
inline constexpr char16_t kOpenButton[] = u"入力と声…";
inline constexpr char16_t kCaption[] = u"入力と声の設定";
inline constexpr char16_t kSwitchTab[] = u"スイッチ";
inline constexpr char16_t kDwellTab[] = u"注視";
inline constexpr char16_t kVoiceTab[] = u"声";
inline constexpr char16_t kScanModeLabel[] = u"スイッチで選ぶ";
// By ScanMode value.
inline constexpr const char16_t *kScanModes[] = {u"使わない", u"一つのスイッチ（自動）",
                                                 u"二つのスイッチ（手動）"};
inline constexpr char16_t kStepLabel[] = u"次へ進む時間（秒）";
inline constexpr char16_t kDwellOn[] = u"止めて選ぶ（注視）";
inline constexpr char16_t kDwellLabel[] = u"選ぶまでの時間（秒）";
inline constexpr char16_t kRecord[] = u"録音する…";
inline constexpr char16_t kCancel[] = u"キャンセル";
inline constexpr char16_t kConfirm[] = u"確定";
// Labels of the scanned button groups.
inline constexpr char16_t kCaretGroup[] = u"移動";
inline constexpr char16_t kSampleGroup[] = u"例文";
inline constexpr char16_t kTextGroup[] = u"表示";
inline constexpr char16_t kPaused[] = u"スイッチで開始";
} // namespace AccessTexts
