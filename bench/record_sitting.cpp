// One recording sitting of the 50 cells of the hiragana board, driven by keys (Space records,
// Enter keeps and moves on) with a simulated speaker on a fake microphone. Prints the sitting
// time a person would spend (model below), the retakes caused by bad trimming, and the
// processing time per take measured here.
//
//   record_sitting [seed] [room noise in dBFS, default -60]
#include "RecordFakes.h"
#include "record/PcmTools.h"
#include "record/VoiceStore.h"
#include "record/frmRecord.h"
#include "voice/VoiceReadings.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <random>

namespace {

constexpr int kRate = FakeAudioInput::kRate;
constexpr int kCells = 50;
// Seconds a person spends around each take: reading the prompt, and deciding after hearing it.
constexpr double kPromptSeconds = 1.0;
constexpr double kDecideSeconds = 1.0;
constexpr double kTrimToleranceMs = 40.0;
constexpr int kMaxTakesPerCell = 5; // then the person keeps the take anyway

struct Utterance
{
    QList<qint16> samples;
    int voiceStartMs = 0;
    int voiceMs = 0;
};

// A syllable as a person says it after pressing Space: a reaction delay, a consonant burst,
// a vowel with attack and decay, room noise throughout.
Utterance speak(std::mt19937 &random, double noiseDb)
{
    std::normal_distribution<double> delayMs(400.0, 100.0);
    std::uniform_int_distribution<int> vowelMs(250, 550);
    std::uniform_real_distribution<double> peakDb(-20.0, -6.0);
    const double noiseRms = 32768.0 * std::pow(10.0, noiseDb / 20.0);
    std::normal_distribution<double> noise(0.0, noiseRms);
    Utterance u;
    u.voiceStartMs = std::clamp(int(delayMs(random)), 150, 800);
    const int burstMs = 30;
    u.voiceMs = burstMs + vowelMs(random);
    const double amplitude = 32768.0 * std::pow(10.0, peakDb(random) / 20.0);
    const int totalMs = u.voiceStartMs + u.voiceMs + 3000;
    u.samples.resize(qsizetype(kRate) * totalMs / 1000);
    const qsizetype start = qsizetype(kRate) * u.voiceStartMs / 1000;
    const qsizetype burst = qsizetype(kRate) * burstMs / 1000;
    const qsizetype end = start + qsizetype(kRate) * u.voiceMs / 1000;
    for (qsizetype i = 0; i < u.samples.size(); ++i) {
        double v = noise(random);
        if (i >= start && i < start + burst) {
            v += amplitude * 0.3 * noise(random) / noiseRms;
        } else if (i >= start + burst && i < end) {
            const double t = double(i - start - burst) / kRate;
            const double left = double(end - i) / kRate;
            const double envelope = std::min({1.0, t / 0.02, left / 0.06});
            v += amplitude * envelope * std::sin(2.0 * 3.14159265358979 * 180.0 * t);
        }
        u.samples[i] = qint16(std::clamp(v, -32768.0, 32767.0));
    }
    return u;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    std::mt19937 random(argc > 1 ? unsigned(std::atoi(argv[1])) : 1u);
    const double noiseDb = argc > 2 ? std::atof(argv[2]) : -60.0;
    QTemporaryDir dir;
    const VoiceReadings readings = VoiceReadings::builtIn();
    VoiceStore store(dir.path());
    FakeAudioInput microphone;
    RecordingTakePlayer player;
    frmRecord screen(store, readings, microphone, player);

    double sittingSeconds = 0.0;
    int takes = 0;
    int retakes = 0;
    QList<double> processingMs;
    QList<double> captureMs;
    QElapsedTimer wall;
    wall.start();
    for (int cell = 0; cell < kCells; ++cell) {
        for (int attempt = 0; attempt < kMaxTakesPerCell; ++attempt) {
            const Utterance said = speak(random, noiseDb);
            QTest::keyClick(&screen, Qt::Key_Space);
            QElapsedTimer capture;
            capture.start();
            const qsizetype heard = microphone.feed(said.samples);
            captureMs.append(double(capture.nsecsElapsed()) / 1e6);
            // The trimming and levelling the screen ran at the auto-stop, timed on its own.
            const QList<qint16> raw = said.samples.first(heard);
            QElapsedTimer processing;
            processing.start();
            const PcmTools::Take again = PcmTools::processTake(raw, kRate);
            processingMs.append(double(processing.nsecsElapsed()) / 1e6);
            const QList<qint16> &kept = player.played.last();
            if (again.samples != kept) {
                std::fprintf(stderr, "the screen played something other than the processed take\n");
                return 1;
            }
            ++takes;
            const double keptMs = double(kept.size()) * 1000.0 / kRate;
            sittingSeconds +=
                kPromptSeconds + double(heard) / kRate + keptMs / 1000.0 + kDecideSeconds;
            // Trimmed well: the whole syllable with the 30 ms and 80 ms margins.
            const bool trimmedWell = std::abs(keptMs - (said.voiceMs + 110.0)) <= kTrimToleranceMs;
            if (trimmedWell || attempt + 1 == kMaxTakesPerCell)
                break;
            ++retakes;
        }
        QTest::keyClick(&screen, Qt::Key_Return);
    }
    std::printf("cells %d, takes %d, retakes for bad trimming %d (%.1f %%)\n", kCells, takes,
                retakes, 100.0 * retakes / takes);
    std::printf("simulated sitting %.1f min (prompt %.1f s + capture to auto-stop + playback + "
                "decide %.1f s)\n",
                sittingSeconds / 60.0, kPromptSeconds, kDecideSeconds);
    const auto median = [](QList<double> values) {
        std::sort(values.begin(), values.end());
        return values[values.size() / 2];
    };
    std::printf("per take: trim and level %.2f ms median, %.2f ms max; capture-side analysis %.2f "
                "ms median\n",
                median(processingMs), *std::max_element(processingMs.cbegin(), processingMs.cend()),
                median(captureMs));
    std::printf("key-driven flow, wall time for all takes here %.0f ms\n", double(wall.elapsed()));
    return 0;
}
