#include "Listening.h"
#include "SoundWindow.h"
#include "access/AccessLayer.h"
#include "access/CallBell.h"
#include "access/CallButton.h"
#include "access/CallChime.h"
#include "platform/FlexGrid.h"
#include "platform/PressGuard.h"
#include "platform/QtWaveDevice.h"
#include "platform/TextBox.h"
#include "platform/UiServices.h"

#include <QDir>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

using namespace Qt::Literals::StringLiterals;

namespace {

// Each voice is a tone of its own pitch, so the recording tells which one was heard.
constexpr int kMarkerHz = SoundWindow::kMarkerHz;
constexpr int kClickHz = 500;
constexpr int kClickColumn = 8;         // "か": not one of the voices read aloud
const QString kReadText = u"あいう_"_s; // as typed: entering keeps the end marker
const QList<int> kReadHz = {700, 1000, 1700, 2300};
constexpr int kVoiceMs = 350;
// Generous: a loaded machine must not fail these (bench/listen_bench holds the tight figures).
constexpr double kOnsetMs = 100;
constexpr double kWholeMs = 30;
constexpr double kStepToleranceMs = 100;

// The real window with the real clock, wave device and beeper, playing to the test sink.
struct ListeningWindow : SoundWindow
{
    explicit ListeningWindow(const QMap<QString, QString> &options) : SoundWindow(Voices::Heard)
    {
        settings.values = options;
        for (qsizetype i = 0; i < kReadText.size(); ++i)
            QVERIFY(writeTone(dir.path(), kReadText.at(i), kReadHz[i]));
        QVERIFY(show());
        // A press on a board that has just appeared is taken for the second half of a double
        // press and ignored. The monitor of an idle sink may answer within milliseconds (PipeWire)
        // or only after a second or two (PulseAudio): the first press must not hang on that.
        QTest::qWait(PressGuard::kSettleMs + 100);
        QVERIFY(writeTone(dir.path(), talk->grdBoard->textMatrix(0, kClickColumn), kClickHz));
    }

    // Plays the marker, runs the press, and returns what was heard, the marker's onset first.
    QList<HeardTone> listen(const std::function<void()> &press)
    {
        MonitorRecorder recorder;
        if (!recorder.isRecording())
            return {};
        QTest::qWait(100); // some silence before the marker
        playMarker();
        press();
        QTest::qWait(600); // the last sound ends in the recording
        return heardTones(recorder.stop(), MonitorRecorder::kRate,
                          QList<int>{kMarkerHz, kClickHz, SystemBeeper::kToneHz} + kReadHz);
    }
};

} // namespace

class tst_listen : public QObject
{
    Q_OBJECT

  private slots:
    void initTestCase();
    void heard_data();
    void heard();
    void callChime_data();
    void callChime();
    void scanCue();
    void deviceFollowsTheServer();
    void quitWithAHangingServer_data();
    void quitWithAHangingServer();
};

void tst_listen::initTestCase()
{
    requireListening();
}

void tst_listen::heard_data()
{
    QTest::addColumn<QString>("voiceMode");
    QTest::addColumn<QString>("beep");
    QTest::addColumn<bool>("read"); // "読む" on the text; otherwise a board click
    // The same press once before, then the streams left idle until they let the card sleep.
    QTest::addColumn<bool>("afterAPause");
    QTest::addColumn<QList<int>>("pitches");
    // One click enters the cell's character and speaks it; the window then waits 0.5 s.
    QTest::newRow("spoken click") << u"0"_s << u"0"_s << false << false << QList<int>{kClickHz};
    QTest::newRow("声を出さない: the key beep alone")
        << u"3"_s << u"1"_s << false << false << QList<int>{SystemBeeper::kToneHz};
    QTest::newRow("read aloud, 0.8 s a character") << u"0"_s << u"0"_s << true << false << kReadHz;
    QTest::newRow("spoken click after the card slept")
        << u"0"_s << u"0"_s << false << true << QList<int>{kClickHz};
    QTest::newRow("key beep after the card slept")
        << u"3"_s << u"1"_s << false << true << QList<int>{SystemBeeper::kToneHz};
}

void tst_listen::heard()
{
    QFETCH(QString, voiceMode);
    QFETCH(QString, beep);
    QFETCH(bool, read);
    QFETCH(bool, afterAPause);
    ListeningWindow w({{u"OPT1"_s, u"2"_s}, {u"OPT3"_s, voiceMode}, {u"Beep"_s, beep}});
    if (read)
        w.talk->txtTalk->setText(kReadText);
    FlexGrid *board = w.talk->grdBoard;
    const QRect cell = board->visualRect(board->model()->index(0, kClickColumn));
    const auto press = [&] {
        if (read)
            QTest::mouseClick(w.talk->cmdRead, Qt::LeftButton);
        else
            QTest::mouseClick(board->viewport(), Qt::LeftButton, {}, cell.center());
    };
    if (afterAPause) {
        press();
        QTRY_VERIFY(!streamsHoldingTheSink().isEmpty());
        // A hang detector, not a figure: the streams pause a few seconds after the last sound.
        QTRY_VERIFY_WITH_TIMEOUT(streamsHoldingTheSink().isEmpty(), 4 * PcmPlayer::kIdleMs);
    }

    const QList<HeardTone> heard = w.listen(press);

    // The press may sound before the marker: the marker's stream starts afresh.
    QList<HeardTone> marker, sounds;
    QList<int> order;
    for (const HeardTone &t : heard) {
        (t.frequencyHz == kMarkerHz ? marker : sounds).append(t);
        if (t.frequencyHz != kMarkerHz)
            order.append(t.frequencyHz);
    }
    QCOMPARE(marker.size(), 1);
    QTEST(order, "pitches");
    QVERIFY2(
        sounds[0].onsetMs - marker[0].onsetMs < kOnsetMs,
        qPrintable(u"began %1 ms after the press"_s.arg(sounds[0].onsetMs - marker[0].onsetMs)));
    for (qsizetype i = 0; i < sounds.size() && order[i] != SystemBeeper::kToneHz; ++i) {
        QVERIFY2(std::abs(sounds[i].durationMs - kVoiceMs) < kWholeMs,
                 qPrintable(u"heard %1 ms of %2 ms"_s.arg(sounds[i].durationMs).arg(kVoiceMs)));
        const double step = i > 0 ? sounds[i].onsetMs - sounds[i - 1].onsetMs : 800;
        QVERIFY2(std::abs(step - 800) < kStepToleranceMs, qPrintable(u"step %1 ms"_s.arg(step)));
    }
}

void tst_listen::callChime_data()
{
    QTest::addColumn<QString>("access");  // the "ACCESS" settings, "Key=value" words
    QTest::addColumn<QString>("trigger"); // "key", "pointer" (held on the call button), "switch"
    QTest::addColumn<QString>("stop");    // "key" or "pointer"
    QTest::newRow("F12, stopped by a key") << u"CallOn=1"_s << u"key"_s << u"key"_s;
    QTest::newRow("call button held, stopped on the screen")
        << u"CallOn=1"_s << u"pointer"_s << u"pointer"_s;
    QTest::newRow("switch A held, stopped by the switch")
        << u"CallOn=1 ScanMode=1 CallHoldMs=1000"_s << u"switch"_s << u"key"_s;
}

// The chime is heard, high then low, again and again until the stopping press; nothing after.
void tst_listen::callChime()
{
    QFETCH(QString, access);
    QFETCH(QString, trigger);
    QFETCH(QString, stop);
    ListeningWindow w({});
    MemorySettingsStore accessSettings;
    for (const QString &word : access.split(u' ', Qt::SkipEmptyParts))
        accessSettings.values.insert(word.section(u'=', 0, 0), word.section(u'=', 1));
    w.talk->installAccess(accessSettings);
    CallBell &bell = w.talk->access()->bell();
    MonitorRecorder recorder;
    QVERIFY(recorder.isRecording());
    QTest::qWait(100);
    if (trigger == u"key") {
        QTest::keyClick(w.talk.get(), Qt::Key_F12);
    } else if (trigger == u"pointer") {
        QTest::mousePress(w.talk->cmdCall, Qt::LeftButton);
        QTRY_VERIFY(bell.isRinging());
        QTest::mouseRelease(w.talk->cmdCall, Qt::LeftButton);
    } else {
        QTest::keyPress(w.talk->txtTalk, Qt::Key_Space);
        QTRY_VERIFY(bell.isRinging());
        QTest::keyRelease(w.talk->txtTalk, Qt::Key_Space);
    }
    QVERIFY(bell.isRinging());
    QTest::qWait(CallChime::kPeriodMs + 500); // the chime once, and its repeat begun
    w.playMarker();
    if (stop == u"key")
        QTest::keyClick(w.talk->txtTalk, Qt::Key_Space);
    else
        QTest::mouseClick(bell.screen(), Qt::LeftButton, {}, bell.screen()->rect().center());
    QVERIFY(!bell.isRinging());
    QTest::qWait(CallChime::kPeriodMs);
    const QList<HeardTone> heard = heardTones(recorder.stop(), MonitorRecorder::kRate,
                                              {kMarkerHz, CallChime::kHighHz, CallChime::kLowHz});
    QList<int> order;
    double stoppedMs = -1;
    for (const HeardTone &t : heard) {
        if (t.frequencyHz == kMarkerHz)
            stoppedMs = t.onsetMs;
        else
            order.append(t.frequencyHz);
    }
    QVERIFY(stoppedMs >= 0);
    for (const HeardTone &t : heard) {
        const double afterStopMs = t.onsetMs + t.durationMs - stoppedMs;
        QVERIFY2(t.frequencyHz == kMarkerHz || afterStopMs < kOnsetMs,
                 qPrintable(u"heard until %1 ms after the stop"_s.arg(afterStopMs)));
    }
    QCOMPARE(order.mid(0, 3),
             (QList<int>{CallChime::kHighHz, CallChime::kLowHz, CallChime::kHighHz}));
    QVERIFY(w.talk->txtTalk->text().isEmpty());
}

// With spoken cues the lit item says its name on the cue's own stream: a press that starts
// scanning lights the board, whose name is heard at once and whole.
void tst_listen::scanCue()
{
    ListeningWindow w({});
    QVERIFY(QDir(w.dir.path()).mkpath(u"cues"_s));
    QVERIFY(writeTone(w.dir.path(), u"cues/文字盤"_s, kClickHz));
    MemorySettingsStore accessSettings;
    accessSettings.values = {{u"ScanMode"_s, u"1"_s}, {u"ScanCue"_s, u"2"_s}};
    w.talk->installAccess(accessSettings);
    const QList<HeardTone> heard =
        w.listen([&] { QTest::keyClick(w.talk->txtTalk, Qt::Key_Space); });
    QCOMPARE(heard.size(), 2);
    const bool markerFirst = heard[0].frequencyHz == kMarkerHz;
    const HeardTone &marker = heard[markerFirst ? 0 : 1], &cue = heard[markerFirst ? 1 : 0];
    QCOMPARE(marker.frequencyHz, kMarkerHz);
    QCOMPARE(cue.frequencyHz, kClickHz);
    QVERIFY2(cue.onsetMs - marker.onsetMs < kOnsetMs,
             qPrintable(u"began %1 ms after the press"_s.arg(cue.onsetMs - marker.onsetMs)));
    QVERIFY(std::abs(cue.durationMs - kVoiceMs) < kWholeMs);
    QVERIFY(w.talk->txtTalk->text().isEmpty());
}

void tst_listen::deviceFollowsTheServer()
{
    QTemporaryDir dir;
    QVERIFY(writeTone(dir.path(), u"short"_s, 700));
    QVERIFY(writeTone(dir.path(), u"long"_s, 1000, 2000));
    MonitorRecorder recorder;
    QVERIFY(recorder.isRecording());
    // No server at start: silence. The server back: heard from the next playback on.
    const QByteArray server = qgetenv("PULSE_SERVER");
    qputenv("PULSE_SERVER", "unix:" + dir.filePath(u"no-server"_s).toUtf8());
    QtWaveDevice device;
    const auto play = [&](const QString &name) {
        device.command(u"Close"_s);
        device.setFileName(dir.path() + u'/' + name + u".wav"_s);
        for (const QString &step : {u"Open"_s, u"Prev"_s, u"Play"_s})
            device.command(step);
    };
    play(u"short"_s);
    QTest::qWait(kVoiceMs + 200);
    server.isNull() ? qunsetenv("PULSE_SERVER") : qputenv("PULSE_SERVER", server);
    play(u"short"_s);
    QTest::qWait(kVoiceMs + 200);
    // "Close" cuts off a long sound: the recording runs on long enough to hear it if not.
    play(u"long"_s);
    QTest::qWait(200);
    device.command(u"Close"_s);
    QTest::qWait(1200);

    const QList<HeardTone> heard = heardTones(recorder.stop(), MonitorRecorder::kRate, {700, 1000});
    QCOMPARE(heard.size(), 2);
    QCOMPARE(heard[0].frequencyHz, 700);
    QVERIFY(std::abs(heard[0].durationMs - kVoiceMs) < kWholeMs);
    QCOMPARE(heard[1].frequencyHz, 1000);
    QVERIFY2(heard[1].durationMs < 1000, qPrintable(u"heard %1 ms"_s.arg(heard[1].durationMs)));
}

void tst_listen::quitWithAHangingServer_data()
{
    QTest::addColumn<bool>("answering"); // first answers, then freezes while a voice plays
    QTest::newRow("server freezes while a voice plays") << true;
    QTest::newRow("server accepts and never answers") << false;
}

void tst_listen::quitWithAHangingServer()
{
    QFETCH(bool, answering);
    QTemporaryDir dir;
    QVERIFY(writeTone(dir.path(), u"long"_s, 1000, 5000));
    FreezableServer server(answering);
    QVERIFY(!server.address().isEmpty());
    const QByteArray realServer = qgetenv("PULSE_SERVER");
    const QByteArray realConfig = qgetenv("PULSE_CLIENTCONFIG");
    qputenv("PULSE_SERVER", server.address());
    qputenv("PULSE_CLIENTCONFIG", server.clientConfig());
    auto device = std::make_unique<QtWaveDevice>();
    auto beeper = std::make_unique<SystemBeeper>();
    device->setFileName(dir.filePath(u"long.wav"_s));
    for (const QString &step : {u"Open"_s, u"Prev"_s, u"Play"_s})
        device->command(step);
    beeper->beep();
    if (answering)
        QTRY_VERIFY(streamsHoldingTheSink(realServer).contains(u"voice"_s));
    server.freeze();
    QTest::qWait(200); // the client's writes fill the frozen socket

    // Quitting closes the sound from a thread, so a hang fails here instead of hanging the test.
    std::atomic_bool closed = false;
    QThread *quit = QThread::create([&] {
        device.reset();
        beeper.reset();
        closed = true;
    });
    quit->start();
    // A hang detector, not a figure: the server stays frozen all along.
    QTRY_VERIFY_WITH_TIMEOUT(closed, 5000);
    quit->wait();
    delete quit;
    for (const auto &[name, value] :
         {std::pair{"PULSE_SERVER", realServer}, std::pair{"PULSE_CLIENTCONFIG", realConfig}})
        value.isNull() ? qunsetenv(name) : qputenv(name, value);
}

QTEST_MAIN(tst_listen)
#include "tst_listen.moc"
