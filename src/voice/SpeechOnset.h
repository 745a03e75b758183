#pragma once

#include "platform/PcmClip.h"

// Where a part's sound becomes audible. The engine's trace places speech at the start of the
// first phoneme; for a voiceless stop (the k of きょう) that is a closure of near silence,
// about 70 ms of low noise before the burst. Played, it only delays the first sound. (A
// fricative's quiet start is its sound: the search is for a closure's phoneme only.)
namespace SpeechOnset {

// The first moment at or after `fromMs` where the mono 16-bit `clip` comes within 30 dB of its
// own peak, less a short lead that keeps the onset soft. Only the stretch before `limitMs` (the
// end of the phoneme that opens with the closure) is searched: when nothing in it is that loud,
// `fromMs` itself.
qint64 audibleFromMs(const PcmClip &clip, qint64 fromMs, qint64 limitMs);

} // namespace SpeechOnset
