// Listens to the quick answers on the test sink's monitor: press to first sound in the user's
// own recorded voice (a 350 ms tone as its voice file) and in the sentence voice (the engine's,
// made ahead at start). A marker tone is played before each press and onsets are measured from
// the press. Run through bench/quick_bench.sh.
#include "PressListen.h"
#include "SoundWindow.h"
#include "quick/QuickBand.h"
#include "voice/EngineFiles.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <cstdio>

using namespace Qt::Literals::StringLiterals;

namespace {
constexpr int kTrials = 10;
constexpr int kGapMs = 1500; // between presses: the longest answer has ended
constexpr double kLimitMs = 100;
} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (const QString why = sentenceListeningUnavailable(); !why.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(why));
        return 1;
    }
    SoundWindow w(SoundWindow::Voices::Heard);
    MemorySettingsStore quick, partner;
    quick.values = {{u"On"_s, u"1"_s}, {u"Phrases"_s, u"はい\nありがとう"_s}};
    w.voiceSettings.values.insert(u"Mode"_s, u"1"_s);
    writeTone(w.dir.path(), u"はい"_s, 700);
    if (!w.show(EngineFiles::debian()))
        return 1;
    w.talk->installConversation(quick, partner);
    QTest::qWait(3000); // the answers are made ahead while the window settles

    bool within = true;
    const char *voices[] = {"own voice", "sentence voice"};
    std::printf("quick answer: press -> first sound (%d presses each)\n", kTrials);
    for (int answer = 0; answer < 2; ++answer) {
        QPushButton *button = w.talk->fraQuick->buttons()[size_t(answer)];
        PressListen listen(w);
        for (int i = 0; i < kTrials; ++i) {
            listen.press([button] { QTest::mouseClick(button, Qt::LeftButton); });
            QTest::qWait(kGapMs);
        }
        const QList<double> onsets = listen.onsets(listen.stop());
        const double median = percentile(onsets, 0.5), worst = percentile(onsets, 1);
        within = within && onsets.size() == kTrials && worst < kLimitMs;
        std::printf("  %-15s median %.0f ms, p95 %.0f ms, max %.0f ms (%lld of %d heard)\n",
                    voices[answer], median, percentile(onsets, 0.95), worst,
                    qlonglong(onsets.size()), kTrials);
    }
    std::printf("%s: every press heard within %.0f ms\n", within ? "PASS" : "FAIL", kLimitMs);
    return within ? 0 : 1;
}
