#include "TalkFixture.h"
#include "voice/Voice.h"

#include <QDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

class tst_speakchar : public QObject
{
    Q_OBJECT

  private slots:
    void speakChar_data();
    void speakChar();
};

void tst_speakchar::speakChar_data()
{
    QTest::addColumn<QString>("opt3");
    QTest::addColumn<Voice::Kind>("kind");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("file"); // "-": not spoken; empty: played without a file, waited
    const QList<std::pair<QString, QList<bool>>> modes = {
        // kinds: selection screen, entry, first click
        {u"0"_s, {true, true, true}},   {u"1"_s, {true, true, false}},
        {u"2"_s, {false, true, false}}, {u"3"_s, {false, false, false}},
        {u"7"_s, {true, true, true}},
    };
    const Voice::Kind kinds[] = {Voice::Kind::Select, Voice::Kind::Enter, Voice::Kind::First};
    for (const auto &[opt3, spoken] : modes)
        for (int k = 0; k < 3; ++k)
            QTest::addRow("OPT3 %s, kind %c", qPrintable(opt3), "SE1"[k])
                << opt3 << kinds[k] << u"あ"_s << (spoken[k] ? u"あ.wav"_s : u"-"_s);
    const Voice::Kind enter = Voice::Kind::Enter;
    QTest::newRow("face mark") << u"0"_s << enter << u"(^_^)"_s << u"(^_^).wav"_s;
    QTest::newRow("slash") << u"0"_s << enter << u"a/b"_s << QString();
    QTest::newRow("empty") << u"0"_s << enter << QString() << QString();
    QTest::newRow("NUL") << u"0"_s << enter << QString(QChar(0)) << QString();
}

void tst_speakchar::speakChar()
{
    QFETCH(QString, opt3);
    QFETCH(Voice::Kind, kind);
    QFETCH(QString, text);
    QFETCH(QString, file);
    TalkFixture f;
    f.settings.values.insert(u"OPT3"_s, opt3);
    frmTalk &w = f.create();
    // A file named ".wav" must not be what a text without a file plays.
    f.writeFile(u".wav"_s, "RIFF");

    w.voice().SpeakChar(text, 0.5f, kind);

    const bool spoken = file != u"-"_s;
    const QString path = file.isEmpty() ? QString() : f.programDir() + QDir::separator() + file;
    const QStringList sequence{u"Command:Close"_s, u"DeviceType:WaveAudio"_s, u"FileName:"_s + path,
                               u"Command:Open"_s,  u"Command:Prev"_s,         u"Command:Play"_s};
    QCOMPARE(f.wave.log, spoken ? sequence : QStringList());
    QCOMPARE(f.clock.waits, spoken ? QList<qint64>{500} : QList<qint64>());
}

QTEST_MAIN(tst_speakchar)
#include "tst_speakchar.moc"
