// Listens to the real window reading aloud in both modes, on the test sink's monitor: press to
// first sound for short and long texts, the time to say one sentence, and the CPU and memory
// spent while speaking. The character voices are 350 ms tones; sentence speech is the engine's
// own voice. A marker tone is played before each press and onsets are measured from the press.
// Run through bench/listen_bench.sh.
#include "PressListen.h"
#include "SoundWindow.h"
#include "platform/FlexGrid.h"
#include "platform/PcmPlayer.h"
#include "platform/TextBox.h"
#include "voice/EngineFiles.h"
#include "voice/FirstPartAhead.h"
#include "voice/frmRead.h"

#include <QApplication>
#include <QDateTime>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <cstdio>
#include <sys/resource.h>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int kTrials = 10;
constexpr int kWholeReadings = 5;
// A reading is whole when no quiet stretch inside it is longer than its own pauses: 450 ms
// between two character voices, about 50 ms inside the sentence as the engine says it.
constexpr double kLongestQuietMs[] = {600, 200};
constexpr int kStopAfterMs = 900; // each first-sound trial is stopped by the panel after this
const QString kSentence = u"きょうはいいてんきですね"_s;
// Written before each text read, so that what was made ahead is never the text's own.
const QString kOtherText = u"あめがふっています"_s;
// From the last change of the text to the press: a user who presses slowly.
constexpr int kComposedMs = 1000;
// Presses while composing: each lands just after the run ahead of the text before it started.
constexpr int kEntries = 24;
constexpr int kBoardColumns = 10; // the first row of the board
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

double cpuSeconds(int who)
{
    rusage usage{};
    getrusage(who, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// CPU seconds of the program and of the engine runs it waited for, and wall seconds.
struct Usage
{
    double self = cpuSeconds(RUSAGE_SELF);
    double children = cpuSeconds(RUSAGE_CHILDREN);
    double wall = double(QDateTime::currentMSecsSinceEpoch()) / 1000;

    Usage operator-(const Usage &o) const
    {
        return {self - o.self, children - o.children, wall - o.wall};
    }
    Usage &operator+=(const Usage &o)
    {
        self += o.self;
        children += o.children;
        wall += o.wall;
        return *this;
    }
    static Usage none() { return {0, 0, 0}; }
};

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

struct Bench : SoundWindow
{
    Bench() : SoundWindow(Voices::Heard)
    {
        settings.values.insert(u"OPT1"_s, u"2"_s); // one click on the board enters its kana
        for (const QChar c : QString(kProse + kSentence))
            writeTone(dir.path(), QString(c), 700);
        exposed = show(EngineFiles::debian());
        for (int column = 0; column < kBoardColumns; ++column)
            writeTone(dir.path(), talk->grdBoard->textMatrix(0, column), 700);
    }

    void setMode(int mode) { voiceSettings.values.insert(u"Mode"_s, QString::number(mode)); }

    // Reads `text` aloud, pressed after a marker. The text is written over another one, whose
    // first part was made ahead, and the marker comes `composedMs` later. The stop panel is
    // clicked `stopAfterMs` after it shows (never when 0). Returns when the reading has ended.
    void read(PressListen &listen, const QString &text, int stopAfterMs, int composedMs)
    {
        talk->txtTalk->setText(kOtherText);
        QTest::qWait(FirstPartAhead::kQuietMs + 400);
        const Usage before;
        talk->txtTalk->setText(text);
        QTest::qWait(composedMs);
        QElapsedTimer shown;
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
            stops.append(listen.sinceMarkerMs());
            QTest::mouseClick(panel->lblLabel, Qt::LeftButton);
        });
        watch.start(5);
        listen.press([this] { QTest::mouseClick(talk->cmdRead, Qt::LeftButton); });
        watch.stop();
        QTest::qWait(400);
        spent += Usage() - before;
    }

    // Enters the character of the board's cell (0, column) after a marker, as a click does.
    void enter(PressListen &listen, int column)
    {
        const QRect cell = talk->grdBoard->visualRect(talk->grdBoard->model()->index(0, column));
        listen.press([this, cell] {
            QTest::mouseClick(talk->grdBoard->viewport(), Qt::LeftButton, {}, cell.center());
        });
    }

    bool exposed = false;
    double peakMiB = 0;          // the program's resident set while reading, sampled every 5 ms
    QList<double> stops;         // when the stop panel was clicked, from the marker of each press
    Usage spent = Usage::none(); // from the text's last change to the end of each reading
};

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (const QString why = sentenceListeningUnavailable(); !why.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(why));
        return 1;
    }
    Bench bench;
    if (!bench.exposed)
        return 1;
    const char *modes[] = {"characters", "sentences"};

    std::printf("press -> first sound (%d presses each; the reading stopped after %d ms)\n",
                kTrials, kStopAfterMs);
    struct Config
    {
        int mode;
        int composedMs;
    };
    // Pressed by a slow user, and within 0.4 s of the last change (0.1 s and 0.3 s after it).
    const Config configs[] = {{0, kComposedMs}, {1, kComposedMs}, {1, 0}, {1, 200}};
    for (const Config config : configs) {
        bench.setMode(config.mode);
        for (const int length : {10, 100, 2000}) {
            PressListen listen(bench);
            bench.stops.clear();
            const int underrunsBefore = PcmPlayer::underrunsInClips();
            for (int i = 0; i < kTrials; ++i)
                bench.read(listen, textOf(length), kStopAfterMs, config.composedMs);
            const QList<HeardSound> heard = listen.stop();
            const QList<double> onsets = listen.onsets(heard);
            QList<double> silenced;
            for (qsizetype i = 0; i < heard.size() && i < bench.stops.size(); ++i)
                if (heard[i].firstMs >= 0)
                    silenced.append(heard[i].lastMs - bench.stops[i]);
            std::printf("  %-10s %4d ms after the last change, %4d characters: median %.0f ms, "
                        "p95 %.0f ms (%lld heard, %d underruns)",
                        modes[config.mode], config.composedMs + PressListen::kMarkerLeadMs, length,
                        percentile(onsets, 0.5), percentile(onsets, 0.95), qlonglong(onsets.size()),
                        PcmPlayer::underrunsInClips() - underrunsBefore);
            // A character's voice is never cut: the stop takes effect at the next 0.8 s step.
            if (config.mode == 1)
                std::printf("; stop panel to silence: median %.0f ms, max %.0f ms",
                            percentile(silenced, 0.5), percentile(silenced, 1));
            std::printf("\n");
        }
    }

    std::printf("composing: %d characters entered on the board, each %d ms after the voice of "
                "the one before (press -> its voice; CPU over the whole run)\n",
                kEntries, PressListen::kMarkerLeadMs);
    for (int mode = 0; mode < 2; ++mode) {
        bench.setMode(mode);
        bench.talk->txtTalk->setText({});
        QTest::qWait(FirstPartAhead::kQuietMs + 400);
        PressListen listen(bench);
        const Usage before;
        // Each entry waits for its voice (0.5 s), so the next press comes just after the run
        // ahead of the text so far has begun. The first row's kana, the text cleared now and then.
        for (int i = 0; i < kEntries; ++i) {
            if (i % 8 == 0)
                bench.talk->txtTalk->setText({});
            bench.enter(listen, i % kBoardColumns);
        }
        QTest::qWait(FirstPartAhead::kQuietMs + 400);
        const Usage spent = Usage() - before;
        const QList<double> onsets = listen.onsets(listen.stop());
        std::printf("  %-10s voice median %.0f ms, p95 %.0f ms (%lld heard); program %.1f %%, "
                    "engine %.1f %% of one core; engine %.0f ms of CPU per character entered\n",
                    modes[mode], percentile(onsets, 0.5), percentile(onsets, 0.95),
                    qlonglong(onsets.size()), 100 * spent.self / spent.wall,
                    100 * spent.children / spent.wall, 1000 * spent.children / kEntries);
    }

    std::printf("saying \"%s\" whole, written %d ms before the press (press to the end of the "
                "last sound; %d readings; CPU from the last change to the end)\n",
                qPrintable(kSentence), kComposedMs, kWholeReadings);
    for (int mode = 0; mode < 2; ++mode) {
        bench.setMode(mode);
        const double rssBefore = residentMiB();
        bench.peakMiB = 0;
        bench.spent = Usage::none();
        PressListen listen(bench);
        const int underrunsBefore = PcmPlayer::underrunsInClips();
        for (int i = 0; i < kWholeReadings; ++i)
            bench.read(listen, kSentence, 0, kComposedMs);
        QList<double> totals, gaps;
        const QList<HeardSound> heard = listen.stop();
        int whole = 0;
        for (qsizetype i = 0; i < heard.size(); ++i) {
            totals.append(heard[i].lastMs - listen.presses().value(i));
            gaps.append(heard[i].longestGapMs);
            whole += heard[i].firstMs >= 0 && heard[i].longestGapMs <= kLongestQuietMs[mode];
        }
        rusage engine{};
        getrusage(RUSAGE_CHILDREN, &engine);
        const Usage &spent = bench.spent;
        std::printf("  %-10s %d of %d whole (%d underruns reported by the server), median %.0f "
                    "ms, longest quiet stretch %.0f ms; CPU: program %.1f %% of one core; program "
                    "RSS %.1f MiB before, %.1f MiB at most while reading",
                    modes[mode], whole, kWholeReadings,
                    PcmPlayer::underrunsInClips() - underrunsBefore, percentile(totals, 0.5),
                    percentile(gaps, 1), 100 * spent.self / spent.wall, rssBefore, bench.peakMiB);
        if (mode == 1)
            std::printf("; engine %.1f %% of one core, its peak RSS %.1f MiB",
                        100 * spent.children / spent.wall, double(engine.ru_maxrss) / 1024);
        std::printf("\n");
    }
    return 0;
}
