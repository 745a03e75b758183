#include "SampleHelpers.h"

#include <QFileInfo>
#include <sys/stat.h>

using namespace Qt::Literals::StringLiterals;
using namespace SampleHelpers;

class tst_samplefile : public QObject
{
    Q_OBJECT

  private slots:
    void load_data();
    void load();
    void fileNotFullyReadIsKept_data();
    void fileNotFullyReadIsKept();
};

void tst_samplefile::load_data()
{
    QTest::addColumn<QStringList>("file");
    QTest::addColumn<QStringList>("rows"); // as the list shows them
    QTest::addColumn<QStringList>("labels");
    const QString ph = placeholderLine();
    QTest::newRow("quotes dropped, spaces trimmed, blank lines skipped")
        << QStringList{u"\"おはよう\""_s, u"かさ"_s,         u"\"a\"b\""_s, {},
                       u"   "_s,          u"\"  あ い  \""_s}
        << QStringList{u"日記"_s, u"ab"_s, u"あ い"_s, u"おはよう"_s, u"かさ"_s}
        << QStringList{{}, {}, u"あ行"_s, {}, u"か行"_s};
    QTest::newRow("empty file") << QStringList() << QStringList{u"日記"_s} << QStringList{{}};
    QTest::newRow("groups: voiced rows after the plain ones, none for ぁ and kanji")
        << QStringList{u"さる"_s, u"ごま"_s,     u"かさ"_s, u"いぬ"_s, u"あさ"_s,
                       u"1時"_s,  u"がっこう"_s, u"まど"_s, u"ぁ"_s,   u"花"_s,
                       u"ぞ"_s,   u"ぽ"_s,       u"ア"_s,   u"ゴ"_s,   u"ン"_s}
        << QStringList{u"日記"_s,     u"1時"_s,  u"ぁ"_s,   u"あさ"_s, u"いぬ"_s, u"かさ"_s,
                       u"がっこう"_s, u"ごま"_s, u"さる"_s, u"ぞ"_s,   u"ぽ"_s,   u"まど"_s,
                       u"ア"_s,       u"ゴ"_s,   u"ン"_s,   u"花"_s}
        << QStringList{{},        {},        {},        u"あ行"_s, {},        u"か行"_s,
                       {},        u"が行"_s, u"さ行"_s, u"ざ行"_s, u"ぱ行"_s, u"ま行"_s,
                       u"ア行"_s, u"ガ行"_s, u"ワ行"_s, {}};
    QTest::newRow("samples sorted before the placeholder; later diary rows dropped")
        << QStringList{ph, u"\"あい\""_s, u"\"ああ\""_s, u"\"1時\""_s,
                       ph, u"\"メモ\""_s, u"\"さる\""_s}
        << QStringList{u"日記"_s, u"1時"_s, u"ああ"_s, u"あい"_s, u"さる"_s}
        << QStringList{{}, {}, u"あ行"_s, {}, u"さ行"_s};
}

void tst_samplefile::load()
{
    QFETCH(QStringList, file);
    TalkFixture f;
    f.writeFile(u"Talk.txt"_s, cp932(file));
    frmTalk &w = f.create();
    w.sampleFile().LoadSamples();
    // The predictions draw on the sentences as read; an empty file leaves one empty entry.
    const QStringList read = column(w.grdEx, 1);
    QCOMPARE(w.state().gSampleList, read.isEmpty() ? QStringList{QString()} : read);
    w.sampleFile().GroupSamples();
    w.sampleFile().PlaceDiaryRow();
    QTEST(column(w.grdEx, 1), "rows");
    QTEST(column(w.grdEx, 0), "labels");
}

void tst_samplefile::fileNotFullyReadIsKept_data()
{
    QTest::addColumn<QByteArray>("bytes"); // empty: Talk.txt is a named pipe
    QTest::addColumn<QString>("told");
    QTest::newRow("bad cp932 pair: the original is copied first")
        << "\"\x82\xA0\x82\x20\"\r\n\"\x82\xA2\"\r\n"_ba << u"控え：Talk.txt.bak-\n20261207-"_s;
    // Writing could replace a pipe: only the guard keeps it.
    QTest::newRow("a named pipe: never written") << QByteArray() << u"例文を保存できませんでした"_s;
}

void tst_samplefile::fileNotFullyReadIsKept()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, told);
    const bool saved = !bytes.isEmpty();
    TalkFixture f;
    const QString path = f.filePath(u"Talk.txt"_s);
    if (bytes.isEmpty())
        QCOMPARE(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    else
        f.writeFile(u"Talk.txt"_s, bytes);
    frmTalk &w = f.create();
    const qsizetype shown = w.grdEx->rows();
    for (const QString &sentence : {u"かき_"_s, u"くけ_"_s}) {
        w.txtTalk->setText(sentence);
        f.click("cmdSampADD");
    }

    // A copy is told of once, at the first save; a refusal at each.
    QCOMPARE(f.asker.asked.size(), saved ? 1 : 2);
    for (const ScriptedAsker::Question &q : f.asker.asked)
        QVERIFY2(q.prompt.startsWith(told), qPrintable(q.prompt));
    if (!saved) {
        QVERIFY(!QFileInfo(path).isFile());
        return;
    }
    QCOMPARE(fileLines(f).size(), shown + 3);
    // The notice names the copy, which holds the original bytes.
    QCOMPARE(f.readFile(f.asker.asked[0].prompt.mid(3).remove(u'\n')), bytes);
}

QTEST_MAIN(tst_samplefile)
#include "tst_samplefile.moc"
