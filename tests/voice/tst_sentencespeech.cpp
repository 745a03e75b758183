#include "Listening.h"
#include "SoundWindow.h"
#include "TalkFixture.h"
#include "platform/TextBox.h"
#include "voice/EngineFiles.h"
#include "voice/FirstPartAhead.h"
#include "voice/SpeechOutput.h"
#include "voice/VoicePage.h"
#include "voice/frmRead.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace Qt::Literals::StringLiterals;

namespace {

// Generous: a loaded machine must not fail these (bench/ holds the tight figures).
constexpr double kOnsetMs = 500;
constexpr double kLongestGapMs = 400;
constexpr double kStopMs = 300;
const QString kSentence = u"きょうはいいてんきですね"_s;

// The real window with sentence speech chosen, its character voices recorded instead of played.
std::unique_ptr<SoundWindow> speechWindow(const EngineFiles &files)
{
    auto w = std::make_unique<SoundWindow>(SoundWindow::Voices::Recorded);
    w->voiceSettings.values = {{u"Mode"_s, u"1"_s}};
    return w->show(files) ? std::move(w) : nullptr;
}

// A program in place of the engine that counts its runs in "<program>.runs" and fails the runs
// for which the shell test `failing` on $n (the run's number, from 1) holds.
QString countingEngine(const QTemporaryDir &dir, const QByteArray &failing)
{
    const QString program = dir.filePath(u"engine"_s);
    QFile script(program);
    if (!script.open(QIODevice::WriteOnly))
        return {};
    script.write("#!/bin/sh\necho >>\"$0.runs\"\nn=$(wc -l <\"$0.runs\")\n[ " + failing +
                 " ] && exit 1\nexec " + EngineFiles::debian().program.toUtf8() + " \"$@\"\n");
    script.close();
    script.setPermissions(script.permissions() | QFile::ExeOwner);
    return program;
}

int runsOf(const QString &program)
{
    QFile runs(program + u".runs"_s);
    return runs.open(QIODevice::ReadOnly) ? int(runs.readAll().count('\n')) : 0;
}

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
    void heard_data();
    void heard();
    void charactersWhenTheEngineCannot_data();
    void charactersWhenTheEngineCannot();
    void firstPartMadeAhead_data();
    void firstPartMadeAhead();
};

void tst_sentencespeech::initTestCase()
{
    requireListening(EngineFiles::debian().missingPackage());
}

void tst_sentencespeech::heard_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("stop"); // the stop panel clicked once the voice has gone on a while
    QTest::newRow("as one utterance") << kSentence << false;
    QTest::newRow("cut by the stop panel")
        << kSentence + u"。あしたもはれるといいですね。"_s << true;
}

// The marker sounds at the press, or with the click on the stop panel.
void tst_sentencespeech::heard()
{
    QFETCH(QString, text);
    QFETCH(bool, stop);
    const auto w = speechWindow(EngineFiles::debian());
    QVERIFY(w);
    w->talk->txtTalk->setText(text);
    // The highlight, looked at while the voice goes; real sound plays in real time.
    QList<int> highlighted;
    bool stopped = false;
    QTimer watch;
    QTimer click;
    click.setSingleShot(true);
    QObject::connect(&watch, &QTimer::timeout, &watch, [&] {
        const int at = w->talk->txtTalk->selStart();
        if (highlighted.isEmpty() || highlighted.last() != at)
            highlighted.append(at);
        if (stop && stopPanel(*w->talk) && !click.isActive() && !stopped)
            click.start(700);
    });
    QObject::connect(&click, &QTimer::timeout, &click, [&] {
        if (frmRead *panel = stopPanel(*w->talk)) {
            w->playMarker();
            QTest::mouseClick(panel->lblLabel, Qt::LeftButton);
            stopped = true;
        }
    });
    watch.start(5);

    MonitorRecorder recorder;
    QVERIFY(recorder.isRecording());
    QTest::qWait(100);
    if (!stop)
        w->playMarker();
    QTest::mouseClick(w->talk->cmdRead, Qt::LeftButton); // returns when the reading has ended
    watch.stop();
    QCOMPARE(stopped, stop);
    QTest::qWait(800);
    const QByteArray samples = recorder.stop();

    const QList<HeardTone> markers =
        heardTones(samples, MonitorRecorder::kRate, {SoundWindow::kMarkerHz});
    QCOMPARE(markers.size(), 1);
    const HeardSound heard = heardSound(samples, MonitorRecorder::kRate, markers);
    QVERIFY(!stopPanel(*w->talk));
    QVERIFY(w->talk->cmdRead->isEnabled());
    QVERIFY2(playedNames(*w->wave).isEmpty(), qPrintable(playedNames(*w->wave).join(u' ')));
    if (stop) {
        QVERIFY2(heard.firstMs > 0 && heard.firstMs < markers[0].onsetMs,
                 "no speech before the stop");
        const double after = heard.lastMs - markers[0].onsetMs;
        QVERIFY2(after < kStopMs, qPrintable(u"heard %1 ms after the stop"_s.arg(after)));
        return;
    }
    QVERIFY2(heard.firstMs > 0, "no speech heard");
    const double onset = heard.firstMs - markers[0].onsetMs;
    const double length = heard.lastMs - heard.firstMs;
    QVERIFY2(onset < kOnsetMs, qPrintable(u"began %1 ms after the press"_s.arg(onset)));
    QVERIFY2(length > 1000 && length < 4000, qPrintable(u"spoke for %1 ms"_s.arg(length)));
    QVERIFY2(heard.longestGapMs <= kLongestGapMs,
             qPrintable(u"a gap of %1 ms"_s.arg(heard.longestGapMs)));
    // The highlight walked the text with the voice: きょ, う, は... (one mora at a time).
    QVERIFY2(highlighted.size() >= 9, qPrintable(QString::number(highlighted.size())));
    QVERIFY(std::is_sorted(highlighted.begin(), highlighted.end() - 1));
    // Afterwards as after the character reading: the end marker appended and selected.
    QCOMPARE(w->talk->txtTalk->text(), u"きょうはいいてんきですね_"_s);
    QCOMPARE(w->talk->txtTalk->selStart(), 12);
    QCOMPARE(w->talk->txtTalk->selLength(), 1);
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
    files.program = engine == u"once"_s ? countingEngine(scripts, "$n -ge 2") : engine;
    const auto w = speechWindow(files);
    QVERIFY(w);
    VoicePage page(*w->talk->speech(), w->talk->speech()->store(), {});
    QCOMPARE(page.optSentences->isEnabled(), missing.isEmpty());
    QCOMPARE(page.optCharacters->isChecked(), !missing.isEmpty());
    QCOMPARE(!page.lblMissing->isHidden(), !missing.isEmpty());
    if (!missing.isEmpty())
        QVERIFY(page.lblMissing->text().contains(missing));

    w->talk->txtTalk->setText(text);
    QTest::mouseClick(w->talk->cmdRead, Qt::LeftButton);
    QTEST(playedNames(*w->wave), "played");
    QCOMPARE(w->talk->txtTalk->text(), text + u'_');
    QVERIFY(w->talk->cmdRead->isEnabled());
}

void tst_sentencespeech::firstPartMadeAhead_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<qint64>("quietMs");     // from the last change to the press
    QTest::addColumn<QString>("changedTo");  // the text changed again just before the press
    QTest::addColumn<QByteArray>("failing"); // the engine runs that fail
    QTest::addColumn<int>("ahead");          // engine runs before the press
    QTest::addColumn<int>("runs");           // and after it
    QTest::addColumn<QStringList>("played"); // character voices

    const qint64 quiet = FirstPartAhead::kQuietMs;
    QTest::newRow("made ahead, played at the press")
        << u"1"_s << quiet << QString() << QByteArray("0 = 1") << 1 << 1 << QStringList();
    QTest::newRow("pressed before the quiet time: made at the press, not again")
        << u"1"_s << quiet - 1 << QString() << QByteArray("0 = 1") << 0 << 1 << QStringList();
    QTest::newRow("changed after it was made: made anew")
        << u"1"_s << quiet << u"あめがふっています"_s << QByteArray("0 = 1") << 1 << 2
        << QStringList();
    QTest::newRow("the run ahead fails: made at the press")
        << u"1"_s << quiet << QString() << QByteArray("$n = 1") << 1 << 2 << QStringList();
    QTest::newRow("character reading: nothing made")
        << u"0"_s << quiet << QString() << QByteArray("0 = 1") << 0 << 0
        << QStringList{u"あ.wav"_s, u"め.wav"_s};
}

// On the fake clock: the real quiet timer only wakes the check, the clock decides.
void tst_sentencespeech::firstPartMadeAhead()
{
    QFETCH(QString, mode);
    QFETCH(qint64, quietMs);
    QFETCH(QString, changedTo);
    QFETCH(QByteArray, failing);
    QFETCH(int, ahead);
    TalkFixture f;
    f.create();
    QTemporaryDir scripts;
    EngineFiles files = EngineFiles::debian();
    files.program = countingEngine(scripts, failing);
    MemorySettingsStore voice;
    voice.values = {{u"Mode"_s, mode}};
    f.window().installSpeech(voice, files);
    const QString text = mode == u"1"_s ? kSentence : u"あめ"_s;
    f.text()->setText(text);
    f.clock.advance(quietMs);
    QTest::qWait(FirstPartAhead::kQuietMs + 100);
    QTRY_COMPARE(runsOf(files.program), ahead);
    QTest::qWait(200); // its end, a failure included
    if (!changedTo.isEmpty())
        f.text()->setText(changedTo);
    // The voice goes on by the clock: ten times as fast as it plays.
    QTimer time;
    QObject::connect(&time, &QTimer::timeout, &time, [&] { f.clock.advance(100); });
    time.start(10);
    QTest::mouseClick(f.button("cmdRead"), Qt::LeftButton);
    time.stop();
    QTEST(runsOf(files.program), "runs");
    QTEST(playedNames(f.wave), "played");
    QCOMPARE(f.text()->text(), (changedTo.isEmpty() ? text : changedTo) + u'_');
}

QTEST_MAIN(tst_sentencespeech)
#include "tst_sentencespeech.moc"
