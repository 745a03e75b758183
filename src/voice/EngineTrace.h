#pragma once

#include <QList>
#include <QString>

// What the engine's trace file (-ot) says about one run: when each mora sounds and which
// characters of its input it belongs to.
struct EngineTrace
{
    struct Mora
    {
        qint64 startMs = 0; // from the start of the engine's waveform
        int first = 0;      // the input characters it is said from: [first, first + count)
        int count = 1;
        bool operator==(const Mora &) const = default;
    };

    QList<Mora> morae;
    qint64 speechStartMs = 0; // the end of the leading silence
    // Where a first phoneme that opens with a silent closure (a voiceless stop or affricate:
    // the k of きょう) ends; -1 when the speech starts otherwise.
    qint64 closureEndMs = -1;
    qint64 speechEndMs = 0; // the start of the trailing silence
    qint64 labelsEndMs = 0; // the end of the last label: the waveform's length when whole

    // Reads the trace of a run on `input`. The words of the text analysis are found in the
    // input in order (numbers the engine spells out, which it does not find, share the
    // characters left between the words it finds); each word's morae are matched to the labels'
    // morae in order and spread over the word's characters (a kana and the small kana after it
    // make one mora). Empty when the trace holds no labels.
    static EngineTrace read(const QString &trace, const QString &input);
};
