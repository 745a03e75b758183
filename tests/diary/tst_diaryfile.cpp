#include "TalkFixture.h"
#include "diary/DiaryFile.h"
#include "diary/DiaryLines.h"
#include "platform/DesignLayout.h"
#include "platform/FlexGrid.h"
#include "platform/Units.h"

#include <QStringEncoder>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {
// The fixture's today, 7 December 2026.
const QString kToday = u"26.12.07"_s;

// A day.txt of the given lines (each quoted, CR LF).
QByteArray diaryFile(const QStringList &entries)
{
    QString all;
    for (const QString &e : entries)
        all += u'"' + e + u"\"\r\n"_s;
    QStringEncoder encoder("windows-31j");
    return encoder.encode(all);
}

QStringList column(const FlexGrid &g, int col)
{
    QStringList texts;
    for (int r = 0; r < g.rows(); ++r)
        texts.append(g.textMatrix(r, col));
    return texts;
}
} // namespace

class tst_diaryfile : public QObject
{
    Q_OBJECT

  private slots:
    void lineParsing_data();
    void lineParsing();
    void loadAndSort_data();
    void loadAndSort();
    void saveEveryRow();
};

void tst_diaryfile::lineParsing_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("stamp");
    QTest::addColumn<QString>("text");
    QTest::newRow("stamp only") << u"\"04.06.09\""_s << u"04.06.09"_s << QString();
    QTest::newRow("spaces trimmed") << u"\"04.06.09   はれ  \""_s << u"04.06.09"_s << u"はれ"_s;
    QTest::newRow("inner quotes dropped")
        << u"\"04.06.09 \"はれ\"です\""_s << u"04.06.09"_s << u"はれです"_s;
    QTest::newRow("short line") << u"\"abc\""_s << u"abc"_s << QString();
    // Without the separating space the ninth character stays in the text.
    QTest::newRow("no separator") << u"no quotes at all"_s << u"no quote"_s << u"s at all"_s;
    // A two-unit character where the stamp ends is not cut in half.
    QTest::newRow("emoji at the stamp's end") << u"\"1234567😀 x\""_s << u"1234567"_s << u"😀 x"_s;
}

void tst_diaryfile::lineParsing()
{
    QFETCH(QString, line);
    const std::optional<DiaryLines::Entry> entry = DiaryLines::entry(line);
    QVERIFY(entry);
    QTEST(entry->stamp, "stamp");
    QTEST(entry->text, "text");
}

void tst_diaryfile::loadAndSort_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QStringList>("stamps");
    QTest::addColumn<QStringList>("texts");
    // By the stamp's text: "99" (1999) above "26" (2026).
    QTest::newRow("newest first") << diaryFile({u"26.12.07 c"_s, u"26.11.30 a"_s, u"26.12.01 b"_s,
                                                u"99.01.01 z"_s})
                                  << QStringList{kToday, u"99.01.01"_s, u"26.12.01"_s,
                                                 u"26.11.30"_s}
                                  << QStringList{u"c"_s, u"z"_s, u"b"_s, u"a"_s};
    QTest::newRow("first is older: today's row added")
        << diaryFile({u"26.12.06 あめ"_s}) << QStringList{kToday, u"26.12.06"_s}
        << QStringList{QString(), u"あめ"_s};
    // Lines that sort above today's stamp do not take its place at the top.
    QTest::newRow("undated line") << diaryFile({u"26.12.07 はれ"_s, u"メモ かいもの"_s})
                                  << QStringList{kToday, u"メモ かいもの"_s}
                                  << QStringList{u"はれ"_s, QString()};
    QTest::newRow("blank lines only")
        << "\r\n  \r\n"_ba << QStringList{kToday} << QStringList{QString()};
}

void tst_diaryfile::loadAndSort()
{
    QFETCH(QByteArray, file);
    TalkFixture f;
    f.writeFile(u"day.txt"_s, file);
    frmTalk &w = f.create();
    w.state().gListRow = 1;
    DiaryFile::LoadDiary(w);
    DiaryFile::SortDiary(w);
    FlexGrid &g = *w.grdDay;
    QTEST(column(g, 0), "stamps");
    QTEST(column(g, 1), "texts");
    // Today's row highlighted and shown, the list over the board.
    QCOMPARE(g.cellBackColor(0, 1), Units::Colour::LightGreen);
    QCOMPARE(w.state().gListRow, 0);
    QCOMPARE(DesignLayout::rect(&g), DesignLayout::rect(w.grdBoard));
}

void tst_diaryfile::saveEveryRow()
{
    TalkFixture f;
    f.writeFile(u"day.txt"_s, diaryFile({u"26.12.06 はれ"_s, u"26.12.05"_s, u"26.12.04 あめ"_s}));
    frmTalk &w = f.create();
    DiaryFile::LoadDiary(w);
    DiaryFile::SortDiary(w);
    w.state().gDiaryRow = 2;
    // The end marker is dropped, an entered "_" before it kept.
    QVERIFY(DiaryFile::SaveDiary(w, u"ゆき__"_s));
    // は 82CD, れ 82EA, ゆ 82E4, き 82AB, あ 82A0, め 82DF.
    const QByteArray expected = "\"26.12.07 \"\r\n"
                                "\"26.12.06 \x82\xCD\x82\xEA\"\r\n"
                                "\"26.12.05 \x82\xE4\x82\xAB_\"\r\n"
                                "\"26.12.04 \x82\xA0\x82\xDF\"\r\n";
    QCOMPARE(f.readFile(u"day.txt"_s), expected);
}

QTEST_MAIN(tst_diaryfile)
#include "tst_diaryfile.moc"
