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
// The whole rest: the ring appears after the lock-on time and fills in the remainder.
inline constexpr char16_t kDwellLabel[] = u"止めてから選ぶまでの時間（秒）";
inline constexpr char16_t kDwellNote[] = u"輪は%1秒後に出て、選ぶ時に満ちます";
inline constexpr char16_t kRecord[] = u"録音する…";
inline constexpr char16_t kCancel[] = u"キャンセル";
inline constexpr char16_t kConfirm[] = u"確定";
// What "確定" here does, and what the options dialog then does with it.
inline constexpr char16_t kConfirmNote[] =
    u"「確定」の後、オプションの「確定」で保存されて使われます（「キャンセル」では元のまま）";
// Shown in the options dialog while confirmed access settings wait for its "確定".
inline constexpr char16_t kPendingNote[] = u"入力と声の設定は「確定」で保存されます";
// Labels of the scanned button groups.
inline constexpr char16_t kCaretGroup[] = u"移動";
inline constexpr char16_t kSampleGroup[] = u"例文";
inline constexpr char16_t kTextGroup[] = u"表示";
inline constexpr char16_t kPaused[] = u"スイッチで開始";
// The call chime: its button, its group on the switch tab, and the screen shown while it rings.
inline constexpr char16_t kCallGroup[] = u"呼び出し";
inline constexpr char16_t kCalling[] = u"呼び出し中";
inline constexpr char16_t kStopCall[] = u"止める";
inline constexpr char16_t kCallHoldLabel[] = u"スイッチを押し続けて呼ぶ（秒、0で使わない）";
inline constexpr char16_t kCallKeyLabel[] = u"呼び出しのキー";
inline constexpr char16_t kCallOn[] = u"呼び出しを使う";
inline constexpr char16_t kCallHoldRefused[] =
    u"呼び出しの時間は、長押しで選ぶ時間より1秒以上長くしてください";
// The switches' keys and the sound of a lit item, on the switch tab.
inline constexpr char16_t kSwitchAKeysLabel[] = u"スイッチ１のキー";
inline constexpr char16_t kSwitchBKeysLabel[] = u"スイッチ２のキー";
inline constexpr char16_t kCatchKey[] = u"キーを変える";
inline constexpr char16_t kPressKeyNow[] = u"今、キーを押してください";
inline constexpr char16_t kArrowRefused[] = u"矢印キーは使えません（文字の移動に使います）";
inline constexpr char16_t kShiftRefused[] = u"シフトキーは使えません（この文字盤が使います）";
inline constexpr char16_t kEscapeRefused[] = u"Escキーは使えません（スイッチを止めるキーです）";
inline constexpr char16_t kBackspaceRefused[] = u"BackSpaceキーは使えません（文字を消すキーです）";
inline constexpr char16_t kTabRefused[] = u"Tabキーは使えません（選ぶ場所を移すキーです）";
inline constexpr char16_t kUnknownKeyRefused[] = u"このキーは使えません";
inline constexpr char16_t kSwitchKeyRefused[] = u"このキーはスイッチに使われています";
inline constexpr char16_t kCallKeyRefused[] = u"このキーは呼び出しに使われています";
inline constexpr char16_t kSwitchMouse[] = u"マウスのボタンもスイッチ";
inline constexpr char16_t kHoldLabel[] = u"長押しで選ぶ（秒、0で使わない）";
inline constexpr char16_t kCueLabel[] = u"選ぶ所を音で知らせる";
// By ScanCue value.
inline constexpr const char16_t *kCues[] = {u"知らせない", u"短い音", u"声"};
inline constexpr char16_t kCueVolumeLabel[] = u"大きさ（％）";
} // namespace AccessTexts
