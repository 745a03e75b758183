#include "Fakes.h"
#include "Listening.h"
#include "app/AppState.h"
#include "app/frmTalk.h"
#include "platform/Clock.h"
#include "platform/PcmPlayer.h"
#include "platform/ProgramFolders.h"
#include "platform/TextBox.h"
#include "voice/EngineFiles.h"
#include "voice/SpeechOutput.h"
#include "voice/VoicePage.h"
#include "voice/frmRead.h"

#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int kMarkerHz = 2900;
// Generous: a loaded machine must not fail these (bench/ holds the tight figures).
constexpr double kOnsetMs = 500;
constexpr double kLongestGapMs = 400;
constexpr double kStopMs = 300;

// The real window with sentence speech chosen, its voices recorded instead of played.
struct SpeechWindow
{
    explicit SpeechWindow(const EngineFiles &files)
    {
        voiceSettings.values = {{u"Mode"_s, u"1"_s}};
        wave.clock = &clock;
        talk = std::make_unique<frmTalk>(state, Services{clock, events, beeper, clipboard, wave,
                                                         settings, busy, asker,
                                                         ProgramFolders::portable(dir.path())});
        talk->installSpeech(voiceSettings, files);
        talk->show();
        QVERIFY(QTest::qWaitForWindowExposed(talk.get()));
    }

    QStringList playedNames() const
    {
        QStringList names;
        for (const QString &path : wave.played)
            names.append(QFileInfo(path).fileName());
        return names;
    }

    QTemporaryDir dir;
    SystemClock clock;
    QtEventPump events;
    RecordingBeeper beeper;
    FakeClipboard clipboard;
    RecordingWaveDevice wave;
    MemorySettingsStore settings;
    MemorySettingsStore voiceSettings;
    RecordingBusyPointer busy;
    ScriptedAsker asker;
    AppState state;
    std::unique_ptr<frmTalk> talk;
};

frmRead *stopPanel(frmTalk &talk)
{
    auto *panel = talk.findChild<frmRead *>();
    return panel && panel->isVisible() ? panel : nullptr;
}

} // namespace

class tst_sentencespeech : public QObject
{
    Q_OBJECT

  private slots:
    void initTestCase();
    void heardAsOneUtterance();
    void stopPanelCutsIt();
    void charactersWhenTheEngineCannot_data();
    void charactersWhenTheEngineCannot();
};

void tst_sentencespeech::initTestCase()
{
    // Under ./test.sh the set-up installs the engine and starts the sink: missing is a failure.
    QString reason = listeningUnavailable();
    const QString missing = EngineFiles::debian().missingPackage();
    if (reason.isEmpty() && !missing.isEmpty())
        reason = u"the package %1 is not installed"_s.arg(missing);
    if (!reason.isEmpty() && qEnvironmentVariableIsSet("TALK_TEST_SINK"))
        QFAIL(qPrintable(reason));
    if (!reason.isEmpty())
        QSKIP(qPrintable(reason));
}

void tst_sentencespeech::heardAsOneUtterance()
{
    SpeechWindow w(EngineFiles::debian());
    w.talk->txtTalk->setText(u"きょうはいいてんきですね"_s);
    PcmPlayer marker("marker");
    // The highlight, looked at while the voice goes.
    QList<int> highlighted;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, &watch, [&] {
        const int at = w.talk->txtTalk->selStart();
        if (highlighted.isEmpty() || highlighted.last() != at)
            highlighted.append(at);
    });
    watch.start(5);

    MonitorRecorder recorder;
    QVERIFY(recorder.isRecording());
    QTest::qWait(100);
    marker.play(std::make_shared<const PcmClip>(makeTone(kMarkerHz, 30, 0.5, 22050)));
    QTest::mouseClick(w.talk->cmdRead, Qt::LeftButton); // returns when the reading has ended
    watch.stop();
    QTest::qWait(500);
    const QByteArray samples = recorder.stop();

    const QList<HeardTone> markers = heardTones(samples, MonitorRecorder::kRate, {kMarkerHz});
    QCOMPARE(markers.size(), 1);
    const HeardSound heard = heardSound(samples, MonitorRecorder::kRate, markers);
    QVERIFY2(heard.firstMs > 0, "no speech heard");
    const double onset = heard.firstMs - markers[0].onsetMs;
    const double length = heard.lastMs - heard.firstMs;
    QVERIFY2(onset < kOnsetMs, qPrintable(u"began %1 ms after the press"_s.arg(onset)));
    QVERIFY2(length > 1000 && length < 4000, qPrintable(u"spoke for %1 ms"_s.arg(length)));
    QVERIFY2(heard.longestGapMs <= kLongestGapMs,
             qPrintable(u"a gap of %1 ms"_s.arg(heard.longestGapMs)));
    QVERIFY2(w.playedNames().isEmpty(), qPrintable(w.playedNames().join(u' ')));
    // The highlight walked the text with the voice: きょ, う, は... (one mora at a time).
    QVERIFY2(highlighted.size() >= 9, qPrintable(QString::number(highlighted.size())));
    QVERIFY(std::is_sorted(highlighted.begin(), highlighted.end() - 1));
    // Afterwards as after the character reading: the end marker appended and selected.
    QCOMPARE(w.talk->txtTalk->text(), u"きょうはいいてんきですね_"_s);
    QCOMPARE(w.talk->txtTalk->selStart(), 12);
    QCOMPARE(w.talk->txtTalk->selLength(), 1);
    QVERIFY(w.talk->cmdRead->isEnabled());
}

void tst_sentencespeech::stopPanelCutsIt()
{
    SpeechWindow w(EngineFiles::debian());
    w.talk->txtTalk->setText(u"きょうはいいてんきですね。あしたもはれるといいですね。"_s);
    PcmPlayer marker("marker");
    const auto tone = std::make_shared<const PcmClip>(makeTone(kMarkerHz, 30, 0.5, 22050));
    bool stopped = false;
    // Once the voice has gone on for a while (real sound plays in real time), the stop panel
    // is clicked, the marker with it.
    QTimer watch;
    QTimer click;
    click.setSingleShot(true);
    QObject::connect(&watch, &QTimer::timeout, &watch, [&] {
        if (stopPanel(*w.talk) && !click.isActive() && !stopped)
            click.start(700);
    });
    QObject::connect(&click, &QTimer::timeout, &click, [&] {
        frmRead *panel = stopPanel(*w.talk);
        if (!panel)
            return;
        marker.play(tone);
        QTest::mouseClick(panel->lblLabel, Qt::LeftButton);
        stopped = true;
    });
    watch.start(5);
    MonitorRecorder recorder;
    QVERIFY(recorder.isRecording());
    QTest::mouseClick(w.talk->cmdRead, Qt::LeftButton);
    QVERIFY(stopped);
    QTest::qWait(800);
    const QByteArray samples = recorder.stop();

    const QList<HeardTone> markers = heardTones(samples, MonitorRecorder::kRate, {kMarkerHz});
    QCOMPARE(markers.size(), 1);
    const HeardSound heard = heardSound(samples, MonitorRecorder::kRate, markers);
    QVERIFY2(heard.firstMs > 0 && heard.firstMs < markers[0].onsetMs, "no speech before the stop");
    const double after = heard.lastMs - markers[0].onsetMs;
    QVERIFY2(after < kStopMs, qPrintable(u"heard %1 ms after the stop"_s.arg(after)));
    QVERIFY(!stopPanel(*w.talk));
    QVERIFY(w.talk->cmdRead->isEnabled());
    QVERIFY(w.playedNames().isEmpty());
}

void tst_sentencespeech::charactersWhenTheEngineCannot_data()
{
    QTest::addColumn<QString>("engine"); // a program in place of the engine's
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("played");
    QTest::addColumn<QString>("missing"); // the package the 声 tab names; empty: none

    QTest::newRow("engine missing") << u"/nonexistent/open_jtalk"_s << u"あい"_s
                                    << QStringList{u"あ.wav"_s, u"い.wav"_s} << u"open-jtalk"_s;
    QTest::newRow("engine failing")
        << u"/bin/false"_s << u"あい"_s << QStringList{u"あ.wav"_s, u"い.wav"_s} << QString();
    // The first sentence is spoken by the engine, the second by the voices.
    QTest::newRow("engine failing after the first sentence")
        << u"once"_s << u"あい。えお"_s << QStringList{u"え.wav"_s, u"お.wav"_s} << QString();
}

void tst_sentencespeech::charactersWhenTheEngineCannot()
{
    QFETCH(QString, engine);
    QFETCH(QString, text);
    QFETCH(QString, missing);
    EngineFiles files = EngineFiles::debian();
    QTemporaryDir scripts;
    files.program = engine;
    if (engine == u"once"_s) {
        files.program = scripts.filePath(u"engine"_s);
        QFile script(files.program);
        QVERIFY(script.open(QIODevice::WriteOnly));
        script.write("#!/bin/sh\n[ -e \"$0.ran\" ] && exit 1\n: >\"$0.ran\"\nexec " +
                     EngineFiles::debian().program.toUtf8() + " \"$@\"\n");
        script.close();
        QVERIFY(script.setPermissions(script.permissions() | QFile::ExeOwner));
    }
    SpeechWindow w(files);
    VoicePage page(*w.talk->speech(), w.talk->speech()->store(), {});
    QCOMPARE(page.optSentences->isEnabled(), missing.isEmpty());
    QCOMPARE(page.optCharacters->isChecked(), !missing.isEmpty());
    QCOMPARE(!page.lblMissing->isHidden(), !missing.isEmpty());
    if (!missing.isEmpty())
        QVERIFY(page.lblMissing->text().contains(missing));

    w.talk->txtTalk->setText(text);
    QTest::mouseClick(w.talk->cmdRead, Qt::LeftButton);
    QTEST(w.playedNames(), "played");
    QCOMPARE(w.talk->txtTalk->text(), text + u'_');
    QVERIFY(w.talk->cmdRead->isEnabled());
}

QTEST_MAIN(tst_sentencespeech)
#include "tst_sentencespeech.moc"
