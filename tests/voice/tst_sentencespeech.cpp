#include "FileBytes.h"
#include "Listening.h"
#include "SoundWindow.h"
#include "TalkFixture.h"
#include "voice/EngineFiles.h"
#include "voice/FirstPartAhead.h"
#include "voice/SpeechEngine.h"
#include "voice/SpeechOutput.h"
#include "voice/SpeechScript.h"
#include "voice/VoicePage.h"
#include "voice/frmRead.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>

using namespace Qt::Literals::StringLiterals;

namespace {

// Generous: a loaded machine must not fail these (bench/ holds the tight figures).
constexpr double kOnsetMs = 500;
constexpr double kLongestGapMs = 400;
constexpr double kStopMs = 300;
const QString kSentence = u"きょうはいいてんきですね"_s;

// A program in place of the engine that counts its runs in "<program>.runs" and runs the shell
// commands `after` once the real engine has made the files $wav and $trace of run $n (from 1).
QString countingEngine(const QTemporaryDir &dir, const QByteArray &after)
{
    const QString program = dir.filePath(u"engine"_s);
    const QByteArray script = "#!/bin/sh\necho >>\"$0.runs\"\nn=$(wc -l <\"$0.runs\")\nfor a; do "
                              "case $prev in -ow) wav=$a;; -ot) trace=$a;; esac; prev=$a; done\n" +
                              EngineFiles::debian().program.toUtf8() + " \"$@\" || exit\n" + after +
                              "\nexit 0\n";
    const bool made =
        FileBytes::write(program, script) &&
        QFile::setPermissions(program, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return made ? program : QString();
}

int runsOf(const QString &program)
{
    return int(FileBytes::read(program + u".runs"_s).count('\n'));
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
    void madeAheadOrByCharacters_data();
    void madeAheadOrByCharacters();
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
    // The real window, its character voices recorded instead of played.
    const auto w = std::make_unique<SoundWindow>(SoundWindow::Voices::Recorded);
    w->voiceSettings.values = {{u"Mode"_s, u"1"_s}};
    QVERIFY(w->show(EngineFiles::debian()));
    w->talk->txtTalk->setText(text);
    // The highlight, looked at while the voice goes; real sound plays in real time. With `stop`,
    // the stop panel is clicked, with the marker, 0.7 s after the highlight first moved: a slow
    // engine start on a busy machine still leaves speech before the stop.
    QList<int> highlighted;
    QElapsedTimer speaking;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, &watch, [&] {
        const int at = w->talk->txtTalk->selStart();
        if (highlighted.isEmpty() || highlighted.last() != at)
            highlighted.append(at);
        frmRead *panel = stop ? stopPanel(*w->talk) : nullptr;
        if (panel && highlighted.size() > 1 && !speaking.isValid())
            speaking.start();
        if (panel && speaking.isValid() && speaking.hasExpired(700)) {
            w->playMarker();
            QTest::mouseClick(panel->lblLabel, Qt::LeftButton);
        }
    });
    watch.start(5);

    // The first part made ahead, as when the user moves from the last cell to "読む": the onset
    // is then the program's own path to the sound, not the engine's run on a busy machine.
    SpeechOutput &speech = *w->talk->speech();
    const QString first = SpeechScript::parts(text, speech.readings()).first().spoken;
    QTRY_VERIFY_WITH_TIMEOUT(speech.engine().madeAhead(first, speech.settings()), 20000);
    // The part starts with its first sound: not with the silent closure of the k of きょう.
    const PcmClip &clip = *speech.engine().madeAhead(first, speech.settings())->clip;
    QCOMPARE_LE(heardSound(clip.samples, clip.sampleRate, {}).firstMs, 80);

    MonitorRecorder recorder;
    QVERIFY(recorder.isRecording());
    QTest::qWait(100);
    if (!stop)
        w->playMarker();
    QTest::mouseClick(w->talk->cmdRead, Qt::LeftButton); // returns when the reading has ended
    watch.stop();
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

void tst_sentencespeech::madeAheadOrByCharacters_data()
{
    QTest::addColumn<bool>("sentences"); // or character reading
    QTest::addColumn<QString>("text");
    QTest::addColumn<qint64>("quietMs");     // from the last change to the press
    QTest::addColumn<QString>("change");     // just before the press: the text, or a voice setting
    QTest::addColumn<QByteArray>("after");   // done after each engine run; "missing": no engine
    QTest::addColumn<int>("ahead");          // engine runs before the press
    QTest::addColumn<int>("runs");           // and after it
    QTest::addColumn<QStringList>("played"); // character voices

    const qint64 quiet = FirstPartAhead::kQuietMs;
    const QString same;
    const QByteArray whole = ":";
    const QStringList none, characters{u"あ.wav"_s, u"い.wav"_s};
    QTest::newRow("made ahead, played at the press")
        << true << kSentence << quiet << same << whole << 1 << 1 << none;
    QTest::newRow("pressed before the quiet time: made at the press, not again")
        << true << kSentence << quiet - 1 << same << whole << 0 << 1 << none;
    QTest::newRow("changed after it was made: made anew")
        << true << kSentence << quiet << u"あめがふっています"_s << whole << 1 << 2 << none;
    QTest::newRow("speed changed after it was made: made anew")
        << true << kSentence << quiet << u"Speed=150"_s << whole << 1 << 2 << none;
    QTest::newRow("the run ahead fails: made at the press")
        << true << kSentence << quiet << same << QByteArray("[ $n = 1 ] && exit 1") << 1 << 2
        << none;
    QTest::newRow("character reading: nothing made")
        << false << u"あめ"_s << quiet << same << whole << 0 << 0
        << QStringList{u"あ.wav"_s, u"め.wav"_s};
    QTest::newRow("engine missing: characters")
        << true << u"あい"_s << quiet << same << QByteArray("missing") << 0 << 0 << characters;
    QTest::newRow("engine failing: characters")
        << true << u"あい"_s << quiet << same << QByteArray("exit 1") << 1 << 2 << characters;
    // The engine ends as if it had succeeded, its output not whole (a full disk): characters.
    QTest::newRow("waveform cut short: characters")
        << true << u"あい"_s << quiet << same << QByteArray("truncate -s -20000 \"$wav\"") << 1 << 2
        << characters;
    QTest::newRow("waveform claiming 2 GB: characters")
        << true << u"あい"_s << quiet << same
        << QByteArray("printf '\\377\\377\\377\\177' | dd of=\"$wav\" bs=1 seek=40 conv=notrunc")
        << 1 << 2 << characters;
    QTest::newRow("trace cut short: characters")
        << true << u"あい"_s << quiet << same
        << QByteArray("sed -i '/Output label/,$ { /sil-a+i/,$ d }' \"$trace\"") << 1 << 2
        << characters;
    // The first sentence is spoken by the engine, the second by the voices.
    QTest::newRow("engine failing after the first sentence")
        << true << u"あい。えお"_s << quiet << same << QByteArray("[ $n -ge 2 ] && exit 1") << 1
        << 2 << QStringList{u"え.wav"_s, u"お.wav"_s};
}

// On the fake clock: the real quiet timer only wakes the check, the clock decides.
void tst_sentencespeech::madeAheadOrByCharacters()
{
    QFETCH(bool, sentences);
    QFETCH(QString, text);
    QFETCH(qint64, quietMs);
    QFETCH(QString, change);
    QFETCH(QByteArray, after);
    QFETCH(int, ahead);
    TalkFixture f;
    f.create();
    QTemporaryDir scripts;
    EngineFiles files = EngineFiles::debian();
    const bool missing = after == "missing";
    files.program = missing ? u"/nonexistent/open_jtalk"_s : countingEngine(scripts, after);
    MemorySettingsStore voice;
    voice.values = {{u"Mode"_s, sentences ? u"1"_s : u"0"_s}};
    f.window().installSpeech(voice, files);
    // A missing engine is named on the 声 tab, and character reading chosen.
    VoicePage page(*f.window().speech(), f.window().speech()->store(), {});
    QCOMPARE(page.optSentences->isEnabled(), !missing);
    QCOMPARE(page.optCharacters->isChecked(), missing || !sentences);
    QCOMPARE(!page.lblMissing->isHidden(), missing);
    QCOMPARE(page.lblMissing->text().contains(u"open-jtalk"_s), missing);
    f.text()->setText(text);
    f.clock.advance(quietMs);
    QTest::qWait(FirstPartAhead::kQuietMs + 100);
    QTRY_COMPARE(runsOf(files.program), ahead);
    QTest::qWait(200); // its end, a failure included
    const bool setting = change.contains(u'=');
    if (setting)
        voice.values.insert(change.section(u'=', 0, 0), change.section(u'=', 1));
    else if (!change.isEmpty())
        f.text()->setText(change);
    // The voice goes on by the clock: ten times as fast as it plays.
    QTimer time;
    QObject::connect(&time, &QTimer::timeout, &time, [&] { f.clock.advance(100); });
    time.start(10);
    QTest::mouseClick(f.button("cmdRead"), Qt::LeftButton);
    time.stop();
    QTEST(runsOf(files.program), "runs");
    QTEST(playedNames(f.wave), "played");
    QCOMPARE(f.text()->text(), (change.isEmpty() || setting ? text : change) + u'_');
    QVERIFY(f.button("cmdRead")->isEnabled());
}

QTEST_MAIN(tst_sentencespeech)
#include "tst_sentencespeech.moc"
