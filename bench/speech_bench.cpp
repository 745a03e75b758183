// Listens to the real window reading aloud in both modes, on the test sink's monitor: press to
// first sound for short and long texts, the time to say one sentence, and the CPU and memory
// spent while speaking. The character voices are 350 ms tones; sentence speech is the engine's
// own voice. A marker tone is played at each press and onsets are measured from it. Run through
// bench/listen_bench.sh.
#include "Fakes.h"
#include "Listening.h"
#include "app/AppState.h"
#include "app/frmTalk.h"
#include "platform/Clock.h"
#include "platform/PcmPlayer.h"
#include "platform/ProgramFolders.h"
#include "platform/QtWaveDevice.h"
#include "platform/TextBox.h"
#include "voice/EngineFiles.h"
#include "voice/frmRead.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <sys/resource.h>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int kMarkerHz = 2900;
constexpr int kTrials = 10;
constexpr int kStopAfterMs = 900; // each first-sound trial is stopped by the panel after this
constexpr int kMarkerLeadMs = 100;
const QString kSentence = u"きょうはいいてんきですね"_s;
// Diary-like kana text, repeated to the length wanted.
const QString kProse =
    u"きょうはあさからいいてんきでした。ひるごはんのあと、むすめがきてくれて、"
    u"いっしょにこうえんをさんぽしました。さくらがさいていて、とてもきれいでした。"
    u"あしたもはれるといいですね。"_s;

QString textOf(int length)
{
    QString text;
    while (text.size() < length)
        text += kProse;
    return text.left(length);
}

double percentile(QList<double> values, double p)
{
    std::sort(values.begin(), values.end());
    return values.isEmpty() ? 0 : values[qsizetype(p * double(values.size() - 1) + 0.5)];
}

double cpuSeconds(int who)
{
    rusage usage{};
    getrusage(who, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// The program's resident set now, in MiB.
double residentMiB()
{
    const char *field = "VmRSS:";
    QFile status(u"/proc/self/status"_s);
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith(field))
            return line.mid(qstrlen(field)).trimmed().split(' ').value(0).toDouble() / 1024;
    return 0;
}

struct Bench
{
    Bench()
    {
        for (const QChar c : QString(kProse + kSentence)) {
            QFile file(QDir(dir.path()).filePath(QString(c) + u".wav"_s));
            if (!file.exists() && file.open(QIODevice::WriteOnly))
                file.write(toWav(makeTone(700, 350, 0.5, 22050)));
        }
        talk = std::make_unique<frmTalk>(state, Services{clock, events, beeper, clipboard, wave,
                                                         settings, busy, asker,
                                                         ProgramFolders::portable(dir.path())});
        talk->installSpeech(voiceSettings, EngineFiles::debian());
        talk->show();
        exposed = QTest::qWaitForWindowExposed(talk.get());
    }

    void setMode(int mode) { voiceSettings.values.insert(u"Mode"_s, QString::number(mode)); }

    // Reads `text` aloud after a marker; the stop panel is clicked `stopAfterMs` after it shows
    // (never when 0). Returns when the reading has ended.
    void read(const QString &text, int stopAfterMs)
    {
        talk->txtTalk->setText(text);
        QElapsedTimer shown;
        QElapsedTimer pressed;
        QTimer watch;
        QObject::connect(&watch, &QTimer::timeout, &watch, [&] {
            peakMiB = std::max(peakMiB, residentMiB());
            auto *panel = talk->findChild<frmRead *>();
            if (!panel || !panel->isVisible() || stopAfterMs == 0)
                return;
            if (!shown.isValid())
                shown.start();
            if (shown.elapsed() < stopAfterMs)
                return;
            stops.append(double(pressed.elapsed()));
            QTest::mouseClick(panel->lblLabel, Qt::LeftButton);
        });
        watch.start(5);
        // The press comes a little after the marker, so the marker's own sound never hides
        // a quick onset; every time is then counted from the press.
        pressed.start();
        marker.play(markerTone);
        QTest::qWait(kMarkerLeadMs);
        presses.append(double(pressed.elapsed()));
        QTest::mouseClick(talk->cmdRead, Qt::LeftButton);
        watch.stop();
        QTest::qWait(400);
    }

    QTemporaryDir dir;
    SystemClock clock;
    QtEventPump events;
    RecordingBeeper beeper;
    FakeClipboard clipboard;
    QtWaveDevice wave;
    MemorySettingsStore settings;
    MemorySettingsStore voiceSettings;
    RecordingBusyPointer busy;
    ScriptedAsker asker;
    AppState state;
    std::unique_ptr<frmTalk> talk;
    bool exposed = false;
    double peakMiB = 0;    // the program's resident set while reading, sampled every 5 ms
    QList<double> presses; // when "読む" was clicked, from the marker of each press
    QList<double> stops;   // when the stop panel was clicked, from the marker of each press
    PcmPlayer marker{"marker"};
    std::shared_ptr<const PcmClip> markerTone =
        std::make_shared<const PcmClip>(makeTone(kMarkerHz, 30, 0.5, 22050));
};

// Onsets of the first sound after each marker, and how long each sound went on.
QList<HeardSound> afterMarkers(const QByteArray &samples)
{
    const QList<HeardTone> markers = heardTones(samples, MonitorRecorder::kRate, {kMarkerHz});
    QList<HeardSound> heard;
    for (qsizetype i = 0; i < markers.size(); ++i) {
        const double from = markers[i].onsetMs;
        const double to = i + 1 < markers.size() ? markers[i + 1].onsetMs - 100
                                                 : std::numeric_limits<double>::max();
        HeardSound sound = heardSound(samples, MonitorRecorder::kRate, markers, from, to);
        if (sound.firstMs >= 0) {
            sound.firstMs -= from;
            sound.lastMs -= from;
        }
        heard.append(sound);
    }
    return heard;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QString unavailable = listeningUnavailable();
    const QString missing = EngineFiles::debian().missingPackage();
    if (!unavailable.isEmpty() || !missing.isEmpty()) {
        std::fprintf(stderr, "%s%s\n", qPrintable(unavailable), qPrintable(missing));
        return 1;
    }
    Bench bench;
    if (!bench.exposed)
        return 1;
    const char *modes[] = {"characters", "sentences"};

    std::printf("press -> first sound (%d presses each; the reading stopped after %d ms)\n",
                kTrials, kStopAfterMs);
    for (int mode = 0; mode < 2; ++mode) {
        bench.setMode(mode);
        for (const int length : {10, 100, 2000}) {
            MonitorRecorder recorder;
            bench.stops.clear();
            bench.presses.clear();
            for (int i = 0; i < kTrials; ++i)
                bench.read(textOf(length), kStopAfterMs);
            QList<double> onsets, silenced;
            const QList<HeardSound> heard = afterMarkers(recorder.stop());
            for (qsizetype i = 0; i < heard.size(); ++i) {
                if (heard[i].firstMs < 0)
                    continue;
                onsets.append(heard[i].firstMs - bench.presses.value(i));
                if (i < bench.stops.size())
                    silenced.append(heard[i].lastMs - bench.stops[i]);
            }
            std::printf("  %-10s %4d characters: median %.0f ms, p95 %.0f ms (%lld heard)",
                        modes[mode], length, percentile(onsets, 0.5), percentile(onsets, 0.95),
                        qlonglong(onsets.size()));
            // A character's voice is never cut: the stop takes effect at the next 0.8 s step.
            if (mode == 1)
                std::printf("; stop panel to silence: median %.0f ms, max %.0f ms",
                            percentile(silenced, 0.5), percentile(silenced, 1));
            std::printf("\n");
        }
    }

    std::printf("saying \"%s\" whole (press to the end of the last sound; 3 readings)\n",
                qPrintable(kSentence));
    for (int mode = 0; mode < 2; ++mode) {
        bench.setMode(mode);
        const double rssBefore = residentMiB();
        bench.peakMiB = 0;
        bench.presses.clear();
        const double self = cpuSeconds(RUSAGE_SELF);
        const double children = cpuSeconds(RUSAGE_CHILDREN);
        QElapsedTimer wall;
        wall.start();
        MonitorRecorder recorder;
        for (int i = 0; i < 3; ++i)
            bench.read(kSentence, 0);
        const double seconds = double(wall.elapsed()) / 1000;
        QList<double> totals, gaps;
        const QList<HeardSound> heard = afterMarkers(recorder.stop());
        for (qsizetype i = 0; i < heard.size(); ++i) {
            totals.append(heard[i].lastMs - bench.presses.value(i));
            gaps.append(heard[i].longestGapMs);
        }
        rusage engine{};
        getrusage(RUSAGE_CHILDREN, &engine);
        std::printf("  %-10s median %.0f ms, longest quiet stretch %.0f ms; CPU while speaking: "
                    "program %.1f %% of one core; program RSS %.1f MiB before, %.1f MiB at most "
                    "while reading",
                    modes[mode], percentile(totals, 0.5), percentile(gaps, 1),
                    100 * (cpuSeconds(RUSAGE_SELF) - self) / seconds, rssBefore, bench.peakMiB);
        if (mode == 1)
            std::printf("; engine %.1f %% of one core, its peak RSS %.1f MiB",
                        100 * (cpuSeconds(RUSAGE_CHILDREN) - children) / seconds,
                        double(engine.ru_maxrss) / 1024);
        std::printf("\n");
    }
    return 0;
}
