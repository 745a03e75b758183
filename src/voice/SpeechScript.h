#pragma once

#include <QList>
#include <QString>

class VoiceReadings;

// A text as the speech engine is given it: cut into parts that are made and played one after
// another, each spoken character traced back to the characters of the text it stands for.
namespace SpeechScript {

// Where in the text a spoken character comes from: a reading stands for its whole mark.
struct Source
{
    int start = 0;
    int length = 0;
    bool operator==(const Source &) const = default;
};

struct Part
{
    QString spoken;        // the engine's input
    QList<Source> sources; // one per character of `spoken`
    int textStart = 0;     // the first character of the text this part covers
    bool operator==(const Part &) const = default;
};

// The longest part, and the longest first part: the first part is made before anything is
// heard, so it is kept short; the others are made while the one before plays.
inline constexpr int kMaxPart = 60;
inline constexpr int kMaxFirstPart = 12;

// What the engine is to say for `text`: the end marker and control characters are dropped;
// emoticons, letters and marks become their readings from `readings`; 。？！ and line ends end a
// part, and longer runs are cut at 、 (or after a particle, or at the limit). Kana, kanji and
// digits go as written.
QList<Part> parts(const QString &text, const VoiceReadings &readings);

} // namespace SpeechScript
