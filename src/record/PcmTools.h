#pragma once

#include <QList>
#include <QtGlobal>

// Pure processing of a recorded take (mono 16-bit samples): finding the speech, trimming the
// silence around it, levelling it to the loudness of the generated voices, and the checks
// behind the advice lines.
namespace PcmTools {

inline constexpr int kFrameMs = 10;
inline constexpr double kSilenceDb = -120.0;  // level of a frame of digital silence
inline constexpr double kTargetRmsDb = -22.0; // median loudness of the generated voices
inline constexpr double kMaxPeakDb = -1.0;
inline constexpr int kTooLongMs = 750; // reading aloud moves on every 0.8 s

// Level in dBFS of a linear amplitude on the 16-bit scale (kSilenceDb for 0).
double toDb(double amplitude);
// RMS level in dBFS of each 10 ms frame (the last one may be shorter).
QList<double> frameLevels(const QList<qint16> &samples, int sampleRate);
// Level above which a frame counts as speech: 12 dB over the noise floor (the quieter of the
// 20th-percentile frame of the first 200 ms and of the whole take), and never below -50 dBFS.
double speechThreshold(const QList<double> &levels);

struct SpeechSpan
{
    bool found = false;
    qsizetype begin = 0; // first sample kept
    qsizetype end = 0;   // one past the last sample kept
    double voicedRmsDb = kSilenceDb;
};
// The speech with 30 ms kept before its onset and 80 ms after its end.
SpeechSpan findSpeech(const QList<qint16> &samples, int sampleRate);

struct Take
{
    QList<qint16> samples;
    int sampleRate = 0;
    bool silent = false;   // nothing above the speech threshold: kept as recorded
    bool clipped = false;  // at least 3 samples at full scale
    bool tooQuiet = false; // peak below -35 dBFS
    bool tooLong = false;  // longer than kTooLongMs after trimming
    double gainDb = 0.0;
    int lengthMs() const;
};
// Trims, fades (5 ms) and levels a raw take: the voiced part to kTargetRmsDb, the peak held
// at or below kMaxPeakDb.
Take processTake(const QList<qint16> &raw, int sampleRate);

} // namespace PcmTools
