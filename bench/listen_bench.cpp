// Listens to the real window on the test sink's monitor and prints the voice figures: press to
// first sound, whether every voice plays whole, and the spacing of reading aloud. Each voice is
// a tone of its own pitch; a marker tone is played at the moment of each press, and every
// figure is an onset measured after its marker. Run through bench/listen_bench.sh.
#include "Fakes.h"
#include "Listening.h"
#include "PressListen.h"
#include "app/frmTalk.h"
#include "core/AppState.h"
#include "platform/Clock.h"
#include "platform/FlexGrid.h"
#include "platform/PcmPlayer.h"
#include "platform/PressGuard.h"
#include "platform/ProgramFolders.h"
#include "platform/QtWaveDevice.h"
#include "platform/TextBox.h"
#include "platform/UiServices.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <cstdio>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int kMarkerHz = 2900;
constexpr int kVoiceMs = 350;
constexpr int kPresses = 40;
constexpr int kReadings = 5;
constexpr int kPausedPresses = 6;
constexpr int kPauseMs = 10000;
const QList<std::pair<QString, int>> kVoices = {{u"か"_s, 500},  {u"あ"_s, 700},  {u"い"_s, 1000},
                                                {u"う"_s, 1300}, {u"え"_s, 1600}, {u"お"_s, 1900},
                                                {u"_"_s, 2300}};
const QString kReadText = u"あいうえお_"_s;

// The tones heard with each marker, times relative to it. The marker and the voice take the
// same road through the sound server, so a voice may come out a few milliseconds before its
// marker: a tone belongs to the last marker that began no later than 50 ms after it.
QList<QList<HeardTone>> byMarker(const QList<HeardTone> &heard)
{
    constexpr double kLeadMs = 50;
    QList<double> markers;
    for (const HeardTone &t : heard)
        if (t.frequencyHz == kMarkerHz)
            markers.append(t.onsetMs);
    QList<QList<HeardTone>> groups(markers.size());
    for (const HeardTone &t : heard) {
        if (t.frequencyHz == kMarkerHz)
            continue;
        const auto next = std::upper_bound(markers.cbegin(), markers.cend(), t.onsetMs + kLeadMs);
        if (next == markers.cbegin())
            continue;
        const qsizetype m = next - markers.cbegin() - 1;
        groups[m].append({t.frequencyHz, t.onsetMs - markers[m], t.durationMs});
    }
    return groups;
}

void printHeard(const char *what, const QList<HeardTone> &group)
{
    std::fprintf(stderr, "%s:", what);
    for (const HeardTone &t : group)
        std::fprintf(stderr, " %d Hz at %.0f ms for %.0f ms;", t.frequencyHz, t.onsetMs,
                     t.durationMs);
    std::fprintf(stderr, "\n");
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QString unavailable = listeningUnavailable();
    if (!unavailable.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(unavailable));
        return 1;
    }
    QTemporaryDir dir;
    for (const auto &[text, hz] : kVoices) {
        QFile file(QDir(dir.path()).filePath(text + u".wav"_s));
        if (!file.open(QIODevice::WriteOnly) ||
            file.write(toWav(makeTone(hz, kVoiceMs, 0.5, 22050))) <= 0)
            return 1;
    }
    SystemClock clock;
    QtEventPump events;
    SystemBeeper beeper;
    FakeClipboard clipboard;
    QtWaveDevice wave;
    MemorySettingsStore settings;
    settings.values.insert(u"OPT1"_s, u"2"_s); // one click enters and speaks
    RecordingBusyPointer busy;
    ScriptedAsker asker;
    AppState state;
    frmTalk talk(state, Services{clock, events, beeper, clipboard, wave, settings, busy, asker,
                                 ProgramFolders::portable(dir.path())});
    talk.show();
    if (!QTest::qWaitForWindowExposed(&talk))
        return 1;
    // A press on a board that has just appeared is ignored as the second half of a double press.
    QTest::qWait(PressGuard::kSettleMs + 100);
    PcmPlayer marker("marker");
    const auto markerTone = std::make_shared<const PcmClip>(makeTone(kMarkerHz, 30, 0.5, 22050));
    QList<int> pitches{kMarkerHz};
    for (const auto &voice : kVoices)
        pitches.append(voice.second);

    // Presses of the cell "か": the window waits 0.5 s after each.
    FlexGrid *board = talk.grdBoard;
    const QPoint cell = board->visualRect(board->model()->index(0, 8)).center();
    MonitorRecorder pressRecording;
    for (int i = 0; i < kPresses; ++i) {
        marker.play(markerTone);
        QTest::mouseClick(board->viewport(), Qt::LeftButton, {}, cell);
        QTest::qWait(150);
    }
    QTest::qWait(300);
    QList<double> onsets, lengths;
    for (const QList<HeardTone> &group :
         byMarker(heardTones(pressRecording.stop(), MonitorRecorder::kRate, pitches))) {
        if (group.size() != 1) { // missed, doubled or broken up: counted as not heard
            printHeard("press not heard once", group);
            continue;
        }
        onsets.append(group[0].onsetMs);
        lengths.append(group[0].durationMs);
    }

    // After the last voice: when the program's streams stop holding the sink, and when the
    // sink sleeps (on servers that suspend an idle sink).
    QElapsedTimer idle;
    idle.start();
    double pausedMs = -1, sleptMs = -1;
    while (idle.elapsed() < 20000 && (pausedMs < 0 || sleptMs < 0)) {
        QTest::qWait(100);
        if (pausedMs < 0 && streamsHoldingTheSink().isEmpty())
            pausedMs = double(idle.elapsed());
        if (sleptMs < 0 && testSinkState() == u"SUSPENDED"_s)
            sleptMs = double(idle.elapsed());
    }

    // Presses after 10 s of quiet, each recorded on its own.
    QList<double> pausedOnsets;
    for (int i = 0; i < kPausedPresses; ++i) {
        QTest::qWait(kPauseMs);
        MonitorRecorder recording;
        QTest::qWait(100);
        marker.play(markerTone);
        QTest::mouseClick(board->viewport(), Qt::LeftButton, {}, cell);
        QTest::qWait(500);
        const QList<QList<HeardTone>> groups =
            byMarker(heardTones(recording.stop(), MonitorRecorder::kRate, pitches));
        if (groups.size() != 1 || groups[0].size() != 1) {
            printHeard("press after a pause not heard once", groups.value(0));
            continue;
        }
        pausedOnsets.append(groups[0][0].onsetMs);
    }

    // Readings of "あいうえお_": six voices 0.8 s apart.
    QList<double> firsts, stepErrors;
    int inOrder = 0;
    MonitorRecorder readRecording;
    for (int r = 0; r < kReadings; ++r) {
        talk.txtTalk->setText(kReadText);
        marker.play(markerTone);
        QTest::mouseClick(talk.cmdRead, Qt::LeftButton);
        QTest::qWait(300);
    }
    for (const QList<HeardTone> &group :
         byMarker(heardTones(readRecording.stop(), MonitorRecorder::kRate, pitches))) {
        QList<int> order;
        for (const HeardTone &t : group)
            order.append(t.frequencyHz);
        if (order != QList<int>{700, 1000, 1300, 1600, 1900, 2300}) {
            printHeard("reading not heard whole", group);
            continue;
        }
        ++inOrder;
        firsts.append(group[0].onsetMs);
        for (qsizetype i = 0; i < group.size(); ++i) {
            lengths.append(group[i].durationMs);
            if (i > 0)
                stepErrors.append(std::abs(group[i].onsetMs - group[i - 1].onsetMs - 800));
        }
    }

    std::printf("press -> first sound (%lld of %d presses heard): median %.1f ms, p95 %.1f ms, "
                "max %.1f ms\n",
                qlonglong(onsets.size()), kPresses, percentile(onsets, 0.5),
                percentile(onsets, 0.95), percentile(onsets, 1));
    std::printf("press after %d s of quiet -> first sound (%lld of %d heard): median %.1f ms, "
                "p95 %.1f ms, max %.1f ms\n",
                kPauseMs / 1000, qlonglong(pausedOnsets.size()), kPausedPresses,
                percentile(pausedOnsets, 0.5), percentile(pausedOnsets, 0.95),
                percentile(pausedOnsets, 1));
    const auto seconds = [](double ms) {
        return ms < 0 ? QByteArray("not within 20 s")
                      : QByteArray::number(ms / 1000, 'f', 1) + " s";
    };
    std::printf("after the last voice: streams paused after %s, sink suspended after %s\n",
                seconds(pausedMs).constData(), seconds(sleptMs).constData());
    std::printf("voice length heard (file %d ms): min %.1f ms, max %.1f ms\n", kVoiceMs,
                percentile(lengths, 0), percentile(lengths, 1));
    std::printf(
        "reading aloud (%d of %d readings whole and in order): first onset median %.1f "
        "ms, max %.1f ms; step |onset gap - 800 ms| median %.1f ms, p95 %.1f ms, max %.1f ms\n",
        inOrder, kReadings, percentile(firsts, 0.5), percentile(firsts, 1),
        percentile(stepErrors, 0.5), percentile(stepErrors, 0.95), percentile(stepErrors, 1));
    return 0;
}
