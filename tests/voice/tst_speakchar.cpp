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
};

void tst_speakchar::voiceMode_data()
{
    QTest::addColumn<QString>("opt3");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("spoken");
    const QList<std::pair<QString, QList<bool>>> modes = {
        // kinds: "S", "E", any other
        {u"0"_s, {true, true, true}},   {u"1"_s, {true, true, false}},
        {u"2"_s, {false, true, false}}, {u"3"_s, {false, false, false}},
        {u"7"_s, {true, true, true}},
    };
    const QStringList kinds = {u"S"_s, u"E"_s, u"1"_s};
    for (const auto &[opt3, spoken] : modes)
        for (int k = 0; k < kinds.size(); ++k)
            QTest::addRow("OPT3 %s, kind %s", qPrintable(opt3), qPrintable(kinds[k]))
                << opt3 << kinds[k] << spoken[k];
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
    qint16 flagDuringWait = untouched;
    f.clock.duringWait = [&] { flagDuringWait = w.state().gStopRead; };

    w.voice().SpeakChar(u"あ"_s, 0.5f, kind);

    const QString file = f.programDir() + QDir::separator() + u"あ.wav"_s;
    QCOMPARE(f.wave.log, spoken ? sequence(file) : QStringList());
    QCOMPARE(f.clock.waits, spoken ? QList<qint64>{500} : QList<qint64>());
    QCOMPARE(flagDuringWait, spoken ? qint16(0) : untouched);
    QCOMPARE(w.state().gStopRead, spoken ? qint16(-1) : untouched);
}

void tst_speakchar::voiceFile_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("name"); // empty: no file, the wait all the same
    QTest::newRow("あ") << u"あ"_s << u"あ.wav"_s;
    QTest::newRow("face mark") << u"(^_^)"_s << u"(^_^).wav"_s;
    QTest::newRow("letter case kept") << u"A"_s << u"A.wav"_s;
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
    // A file named ".wav" must not be what a text without a file plays.
    f.writeFile(u".wav"_s, "RIFF");

    w.voice().SpeakChar(text, 0.5f, u"E"_s);

    QCOMPARE(f.wave.log,
             sequence(name.isEmpty() ? QString() : f.programDir() + QDir::separator() + name));
    QCOMPARE(f.clock.waits, QList<qint64>{500});
}

QTEST_MAIN(tst_speakchar)
#include "tst_speakchar.moc"
