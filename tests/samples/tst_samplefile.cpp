#include "SampleHelpers.h"
#include "TalkFixture.h"
#include "platform/FlexGrid.h"
#include "platform/TextBox.h"
#include "samples/SampleFile.h"

#include <QFileInfo>
#include <QStringEncoder>
#include <QTest>
#include <sys/stat.h>

using namespace Qt::Literals::StringLiterals;
using namespace SampleHelpers;

namespace {
QByteArray cp932(const QString &text)
{
    QStringEncoder encoder("windows-31j");
    return encoder.encode(text);
}
} // namespace

class tst_samplefile : public QObject
{
    Q_OBJECT

  private slots:
    void loadLines_data();
    void loadLines();
    void saveFormat();
    void cp932SpecialsRoundTripThroughTheWindow();
    void groupLabels_data();
    void groupLabels();
    void diaryRow_data();
    void diaryRow();
    void samplesBeforeThePlaceholderSurviveSaveAndReload();
    void fileNotFullyReadIsKept_data();
    void fileNotFullyReadIsKept();
};

void tst_samplefile::loadLines_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QStringList>("rows");
    QTest::newRow("quoted") << u"\"おはよう\"\r\n"_s << QStringList{u"おはよう"_s};
    QTest::newRow("unquoted") << u"おはよう\r\n"_s << QStringList{u"おはよう"_s};
    QTest::newRow("inner quotes dropped") << u"\"a\"b\"\r\n"_s << QStringList{u"ab"_s};
    QTest::newRow("spaces trimmed") << u"\"  あ い  \"\r\n"_s << QStringList{u"あ い"_s};
    QTest::newRow("blank lines skipped") << u"\r\n   \r\n\"x\"\r\n\r\n"_s << QStringList{u"x"_s};
    QTest::newRow("quotes only is a row") << u"\"\"\r\n\"y\""_s << QStringList{{}, u"y"_s};
    QTest::newRow("blank only") << u"\r\n  \r\n"_s << QStringList{};
}

void tst_samplefile::loadLines()
{
    QFETCH(QString, file);
    QFETCH(QStringList, rows);
    TalkFixture f;
    f.writeFile(u"Talk.txt"_s, cp932(file));
    frmTalk &w = f.create();
    SampleFile::LoadSamples(w);
    QCOMPARE(w.grdEx->cols(), 2);
    QCOMPARE(column(w.grdEx, 1), rows);
    // A file without sentences leaves one empty entry.
    QCOMPARE(w.state().gSampleList, rows.isEmpty() ? QStringList{QString()} : rows);
}

void tst_samplefile::saveFormat()
{
    TalkFixture f;
    frmTalk &w = f.create();
    FlexGrid &g = *w.grdEx;
    for (const QString &s : {u" 日記 "_s, u"ありがとう"_s, QString(), u"  おはよう "_s, u"メモ"_s})
        g.appendRow(1, s);
    QVERIFY(SampleFile::SaveSamples(w));
    QCOMPARE(fileLines(f), (QStringList{placeholderLine(), u"\"ありがとう\""_s,
                                        u"\"  おはよう \""_s, placeholderLine()}));
    QCOMPARE(w.state().gCellText, u"メモ"_s);
    // Code page 932 on disk, not UTF-8.
    QVERIFY(!f.readFile(u"Talk.txt"_s).startsWith("\xEF\xBB\xBF"));
    QVERIFY(f.readFile(u"Talk.txt"_s).contains("\r\n\"  "));
}

void tst_samplefile::cp932SpecialsRoundTripThroughTheWindow()
{
    // Characters whose code page 932 form differs between converters, and one it lacks.
    const QStringList sentences{u"～ー－∥￢"_s, u"①Ⅰ㈱髙"_s, u"\\100円"_s, u"😀"_s};
    TalkFixture f;
    frmTalk &w = f.create();
    for (const QString &s : sentences) {
        w.txtTalk->setText(s + u'_');
        f.click("cmdSampADD");
    }
    SampleFile::LoadSamples(w);
    QStringList loaded = w.state().gSampleList;
    loaded.removeAll(QString::fromUtf16(SampleFile::kPlaceholder));
    loaded.sort();
    QStringList expected = sentences;
    expected.sort();
    QCOMPARE(loaded, expected);
}

void tst_samplefile::groupLabels_data()
{
    QTest::addColumn<QStringList>("sentences");
    QTest::addColumn<QStringList>("sorted");
    QTest::addColumn<QStringList>("labels");
    QTest::newRow("rows of the table")
        << QStringList{u"さる"_s, u"ごま"_s, u"かさ"_s, u"いぬ"_s, u"あさ"_s}
        << QStringList{u"あさ"_s, u"いぬ"_s, u"かさ"_s, u"ごま"_s, u"さる"_s}
        << QStringList{u"あ行"_s, {}, u"か行"_s, u"が行"_s, u"さ行"_s};
    QTest::newRow("no group before the first")
        << QStringList{u"あさ"_s, u"1時"_s} << QStringList{u"1時"_s, u"あさ"_s}
        << QStringList{{}, u"あ行"_s};
    QTest::newRow("が is in か行, ご opens が行")
        << QStringList{u"がっこう"_s, u"ごはん"_s} << QStringList{u"がっこう"_s, u"ごはん"_s}
        << QStringList{u"か行"_s, u"が行"_s};
    QTest::newRow("ぁ and kanji read as the group above")
        << QStringList{u"ぁあ"_s, u"はな"_s, u"花"_s, u"ぁ"_s}
        << QStringList{u"ぁ"_s, u"ぁあ"_s, u"はな"_s, u"花"_s}
        << QStringList{{}, {}, u"は行"_s, {}};
    QTest::newRow("ぞ ど ぼ ぽ and katakana")
        << QStringList{u"ぽ"_s, u"ぼ"_s, u"ど"_s, u"ぞ"_s, u"ゴ"_s, u"ア"_s, u"ン"_s}
        << QStringList{u"ぞ"_s, u"ど"_s, u"ぼ"_s, u"ぽ"_s, u"ア"_s, u"ゴ"_s, u"ン"_s}
        << QStringList{u"ざ行"_s, u"だ行"_s, u"ば行"_s, u"ぱ行"_s, u"ア行"_s, u"ガ行"_s, u"ワ行"_s};
}

void tst_samplefile::groupLabels()
{
    QFETCH(QStringList, sentences);
    QFETCH(QStringList, sorted);
    QFETCH(QStringList, labels);
    TalkFixture f;
    frmTalk &w = f.create();
    w.grdEx->setRows(0);
    for (const QString &s : sentences)
        w.grdEx->appendRow(1, s);
    SampleFile::GroupSamples(w);
    QCOMPARE(column(w.grdEx, 1), sorted);
    QCOMPARE(column(w.grdEx, 0), labels);
    QCOMPARE(w.state().gCellText, sorted.last());
}

void tst_samplefile::diaryRow_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<QStringList>("labels");
    const auto line = [](const QString &s) { return cp932(u'"' + s + u"\"\r\n"); };
    const QByteArray ph = line(QString::fromUtf16(SampleFile::kPlaceholder));
    QTest::newRow("placeholder sorts first")
        << QByteArray(line(u"おはよう"_s) + ph + line(u"あい"_s))
        << QStringList{u"日記"_s, u"あい"_s, u"おはよう"_s} << QStringList{{}, u"あ行"_s, {}};
    QTest::newRow("samples before the placeholder")
        << QByteArray(ph + line(u"あい"_s) + line(u"ああ"_s) + line(u"1時"_s))
        << QStringList{u"日記"_s, u"1時"_s, u"ああ"_s, u"あい"_s}
        << QStringList{{}, {}, u"あ行"_s, {}};
    QTest::newRow("no placeholder")
        << line(u"かさ"_s) << QStringList{u"日記"_s, u"かさ"_s} << QStringList{{}, u"か行"_s};
    QTest::newRow("empty file") << QByteArray() << QStringList{u"日記"_s} << QStringList{{}};
    QTest::newRow("two placeholders and a memo")
        << QByteArray(ph + line(u"OK"_s) + ph + line(u"メモ"_s) + line(u"さる"_s))
        << QStringList{u"日記"_s, u"OK"_s, u"さる"_s} << QStringList{{}, {}, u"さ行"_s};
}

void tst_samplefile::diaryRow()
{
    QFETCH(QByteArray, file);
    QFETCH(QStringList, rows);
    QFETCH(QStringList, labels);
    TalkFixture f;
    f.writeFile(u"Talk.txt"_s, file);
    frmTalk &w = f.create();
    SampleFile::LoadSamples(w);
    SampleFile::GroupSamples(w);
    SampleFile::PlaceDiaryRow(w);
    QCOMPARE(column(w.grdEx, 1), rows);
    QCOMPARE(column(w.grdEx, 0), labels);
}

void tst_samplefile::samplesBeforeThePlaceholderSurviveSaveAndReload()
{
    const QStringList early{u"1時"_s, u"OK"_s, u"ああ"_s, u"ぁ"_s};
    TalkFixture f;
    writeSamples(f, early + QStringList{u"いぬ"_s});
    frmTalk &w = f.create();
    f.click("cmdSamp");
    QCOMPARE(w.grdEx->textMatrix(0, 1), u"日記"_s);
    QCOMPARE(w.grdEx->rows(), 6);
    QVERIFY(SampleFile::SaveSamples(w));
    const QStringList lines = fileLines(f);
    QCOMPARE(lines.count(placeholderLine()), 1);
    QCOMPARE(lines.size(), 6);
    f.click("cmdSamp");
    f.click("cmdSamp");
    QStringList rows = column(w.grdEx, 1);
    QCOMPARE(rows.takeFirst(), u"日記"_s);
    for (const QString &s : early)
        QVERIFY2(rows.contains(s), qPrintable(s));
    QVERIFY(rows.contains(u"いぬ"_s));
}

void tst_samplefile::fileNotFullyReadIsKept_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("shown");
    QTest::addColumn<bool>("saved");
    QTest::addColumn<QString>("told");
    const QString kept = u"控え：Talk.txt.bak-\n20261207-"_s;
    const QString failed = u"例文を保存できませんでした"_s;
    QStringEncoder utf16(QStringEncoder::Utf16LE);
    QTest::newRow("bad cp932 pair") << u"file"_s << "\"\x82\xA0\x82\x20\"\r\n\"\x82\xA2\"\r\n"_ba
                                    << QStringList{u"あ\x1A"_s, u"い"_s} << true << kept;
    QTest::newRow("euc-jp") << u"file"_s << "\xA4\xA2\xA4\xA4\r\n"_ba << QStringList{u"あい"_s}
                            << true << kept;
    QTest::newRow("utf-16 with its mark")
        << u"file"_s << "\xFF\xFE"_ba + QByteArray(utf16.encode(u"\"あい\"\r\n"_s))
        << QStringList{u"あい"_s} << true << QString();
    QTest::newRow("a folder") << u"folder"_s << QByteArray() << QStringList{} << false << failed;
    // Writing could replace a pipe: only the guard keeps it.
    QTest::newRow("a named pipe") << u"pipe"_s << QByteArray() << QStringList{} << false << failed;
}

void tst_samplefile::fileNotFullyReadIsKept()
{
    QFETCH(QString, kind);
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, shown);
    QFETCH(bool, saved);
    QFETCH(QString, told);
    TalkFixture f;
    const QString path = f.filePath(u"Talk.txt"_s);
    if (kind == u"folder"_s)
        makeTalkTxtADirectory(f);
    if (kind == u"pipe"_s)
        QCOMPARE(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    if (kind == u"file"_s)
        f.writeFile(u"Talk.txt"_s, bytes);
    frmTalk &w = f.create();
    QCOMPARE(column(w.grdEx, 1), shown);
    w.txtTalk->setText(u"かき_"_s);
    f.click("cmdSampADD");
    w.txtTalk->setText(u"くけ_"_s);
    f.click("cmdSampADD");

    // Told once, at the first save.
    QStringList prompts;
    for (const ScriptedAsker::Question &q : f.asker.asked)
        prompts.append(q.prompt);

    QCOMPARE(prompts.size(), told.isEmpty() ? 0 : saved ? 1 : 2);
    for (const QString &prompt : prompts)
        QVERIFY2(prompt.startsWith(told), qPrintable(prompt));
    if (!saved) {
        QVERIFY(!QFileInfo(path).isFile());
        return;
    }
    QCOMPARE(fileLines(f).size(), shown.size() + 3);
    if (told.isEmpty())
        return;
    // The notice names the copy, which holds the original bytes.
    QCOMPARE(f.readFile(prompts[0].mid(3).remove(u'\n')), bytes);
}

QTEST_MAIN(tst_samplefile)
#include "tst_samplefile.moc"
