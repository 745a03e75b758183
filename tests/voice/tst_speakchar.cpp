#include "TalkFixture.h"
#include "voice/Voice.h"

#include <QDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

QStringList sequence(const QString &file)
{
    return {u"Command:Close"_s, u"DeviceType:WaveAudio"_s, u"FileName:"_s + file,
            u"Command:Open"_s,  u"Command:Prev"_s,         u"Command:Play"_s};
}

} // namespace

class tst_speakchar : public QObject
{
    Q_OBJECT

  private slots:
    void voiceMode_data();
    void voiceMode();
    void voiceFile_data();
    void voiceFile();
    void textWithoutFileStillWaits();
    void secondPlaybackClosesFirst();
};

void tst_speakchar::voiceMode_data()
{
    QTest::addColumn<QString>("opt3");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("spoken");
    const QList<std::pair<const char16_t *, QList<bool>>> modes = {
        // kinds: "S", "E", "1", other
        {u"0", {true, true, true, true}},    {u"1", {true, true, false, false}},
        {u"2", {false, true, false, false}}, {u"3", {false, false, false, false}},
        {u"7", {true, true, true, true}},    {u"02", {false, true, false, false}},
    };
    const QStringList kinds = {u"S"_s, u"E"_s, u"1"_s, u"X"_s};
    for (const auto &[opt3, spoken] : modes)
        for (int k = 0; k < kinds.size(); ++k) {
            const QString o = QString::fromUtf16(opt3);
            QTest::addRow("OPT3 %s, kind %s", qPrintable(o), qPrintable(kinds[k]))
                << o << kinds[k] << spoken[k];
        }
}

void tst_speakchar::voiceMode()
{
    QFETCH(QString, opt3);
    QFETCH(QString, kind);
    QFETCH(bool, spoken);
    TalkFixture f;
    f.settings.values.insert(u"OPT3"_s, opt3);
    frmTalk &w = f.create();
    const qint16 untouched = 7;
    w.state().gStopRead = untouched;
    const int yields = f.events.count;
    qint16 flagDuringWait = untouched;
    f.clock.duringWait = [&] { flagDuringWait = w.state().gStopRead; };

    w.voice().SpeakChar(u"あ"_s, 0.5f, kind);

    if (!spoken) {
        QCOMPARE(f.wave.log, QStringList());
        QCOMPARE(f.clock.waits, QList<qint64>());
        QCOMPARE(f.events.count, yields);
        QCOMPARE(w.state().gStopRead, untouched);
        return;
    }
    QCOMPARE(f.wave.log, sequence(f.programDir() + QDir::separator() + u"あ.wav"_s));
    QCOMPARE(f.clock.waits, QList<qint64>{500});
    QCOMPARE(f.events.count, yields + 1);
    QCOMPARE(flagDuringWait, qint16(0));
    QCOMPARE(w.state().gStopRead, qint16(-1));
}

void tst_speakchar::voiceFile_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("name"); // empty: no file
    QTest::newRow("あ") << u"あ"_s << u"あ.wav"_s;
    QTest::newRow("ア is its own file") << u"ア"_s << u"ア.wav"_s;
    QTest::newRow("face mark") << u"(^_^)"_s << u"(^_^).wav"_s;
    QTest::newRow("full-width space") << u"\u3000"_s << u"\u3000.wav"_s;
    QTest::newRow("letter case kept") << u"A"_s << u"A.wav"_s;
    QTest::newRow("slash") << u"/"_s << QString();
    QTest::newRow("slash inside") << u"a/b"_s << QString();
    QTest::newRow("empty") << QString() << QString();
    QTest::newRow("NUL") << QString(QChar(0)) << QString();
}

void tst_speakchar::voiceFile()
{
    QFETCH(QString, text);
    QFETCH(QString, name);
    TalkFixture f;
    frmTalk &w = f.create();
    QCOMPARE(w.voice().voiceFile(text),
             name.isEmpty() ? QString() : f.programDir() + QDir::separator() + name);
}

void tst_speakchar::textWithoutFileStillWaits()
{
    TalkFixture f;
    frmTalk &w = f.create();
    // A file named ".wav" must not be what "/" plays.
    f.writeFile(u".wav"_s, "RIFF");
    w.voice().SpeakChar(u"/"_s, 0.5f, u"E"_s);
    QCOMPARE(f.wave.log, sequence(QString()));
    QCOMPARE(f.clock.waits, QList<qint64>{500});
    QCOMPARE(w.state().gStopRead, qint16(-1));
}

void tst_speakchar::secondPlaybackClosesFirst()
{
    TalkFixture f;
    frmTalk &w = f.create();
    w.voice().SpeakChar(u"か"_s, 0.5f, u"S"_s);
    w.voice().SpeakChar(u"き"_s, 0.5f, u"E"_s);
    const QString dir = f.programDir() + QDir::separator();
    QCOMPARE(f.wave.log, sequence(dir + u"か.wav"_s) + sequence(dir + u"き.wav"_s));
    QCOMPARE(f.wave.playTimesMs.size(), 2);
    QVERIFY(f.wave.playTimesMs[1] - f.wave.playTimesMs[0] > 500);
}

QTEST_MAIN(tst_speakchar)
#include "tst_speakchar.moc"
