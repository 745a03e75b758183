#include "TalkFixture.h"
#include "diary/DiaryFile.h"
#include "platform/DesignLayout.h"
#include "platform/FlexGrid.h"
#include "platform/Units.h"

#include <QDir>
#include <QFileInfo>
#include <QStringEncoder>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {
// The fixture's today, 7 December 2026.
const QString kToday = u"26.12.07"_s;

QByteArray cp932(const QString &text)
{
    QStringEncoder encoder("windows-31j");
    return encoder.encode(text);
}

// A day.txt of the given lines (each quoted, CR LF).
QByteArray diaryFile(const QStringList &entries)
{
    QString all;
    for (const QString &e : entries)
        all += u'"' + e + u"\"\r\n"_s;
    return cp932(all);
}

QStringList column(const FlexGrid &g, int col)
{
    QStringList texts;
    for (int r = 0; r < g.rows(); ++r)
        texts.append(g.textMatrix(r, col));
    return texts;
}

frmTalk &loaded(TalkFixture &f)
{
    frmTalk &w = f.create();
    DiaryFile::LoadDiary(w);
    DiaryFile::SortDiary(w);
    return w;
}
} // namespace

class tst_diaryfile : public QObject
{
    Q_OBJECT

  private slots:
    void todaysRow_data();
    void todaysRow();
    void lineParsing_data();
    void lineParsing();
    void sortHighlightsNewest();
    void saveEveryRow();
    void noEntriesStillGiveToday_data();
    void noEntriesStillGiveToday();
    void lineBreakRoundTrips();
    void manyEntries();
};

void tst_diaryfile::todaysRow_data()
{
    QTest::addColumn<QStringList>("file");
    QTest::addColumn<QStringList>("stamps");
    QTest::addColumn<QStringList>("texts");
    QTest::newRow("first is today")
        << QStringList{u"26.12.07 はれ"_s, u"26.12.06 あめ"_s} << QStringList{kToday, u"26.12.06"_s}
        << QStringList{u"はれ"_s, u"あめ"_s};
    QTest::newRow("first is older")
        << QStringList{u"26.12.06 あめ"_s} << QStringList{kToday, u"26.12.06"_s}
        << QStringList{QString(), u"あめ"_s};
    // Only the first entry is compared: a later one of today gets a second today row.
    QTest::newRow("today not first") << QStringList{u"26.12.06 あめ"_s, u"26.12.07 はれ"_s}
                                     << QStringList{kToday, kToday, u"26.12.06"_s}
                                     << QStringList{QString(), u"はれ"_s, u"あめ"_s};
    // Lines that sort above today's stamp do not take its place at the top.
    QTest::newRow("undated line") << QStringList{u"26.12.07 はれ"_s, u"メモ かいもの"_s}
                                  << QStringList{kToday, u"メモ かいもの"_s}
                                  << QStringList{u"はれ"_s, QString()};
    QTest::newRow("last century") << QStringList{u"99.01.01 z"_s, u"26.12.06 あめ"_s}
                                  << QStringList{kToday, u"99.01.01"_s, u"26.12.06"_s}
                                  << QStringList{QString(), u"z"_s, u"あめ"_s};
}

void tst_diaryfile::todaysRow()
{
    QFETCH(QStringList, file);
    QFETCH(QStringList, stamps);
    QFETCH(QStringList, texts);
    TalkFixture f;
    f.writeFile(u"day.txt"_s, diaryFile(file));
    frmTalk &w = loaded(f);
    QCOMPARE(column(*w.grdDay, 0), stamps);
    QCOMPARE(column(*w.grdDay, 1), texts);
}

void tst_diaryfile::lineParsing_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QString>("stamp");
    QTest::addColumn<QString>("text");
    QTest::newRow("stamp and text") << cp932(u"\"04.06.09 はれ\""_s) << u"04.06.09"_s << u"はれ"_s;
    QTest::newRow("stamp only") << cp932(u"\"04.06.09\""_s) << u"04.06.09"_s << QString();
    QTest::newRow("stamp and space") << cp932(u"\"04.06.09 \""_s) << u"04.06.09"_s << QString();
    QTest::newRow("spaces trimmed")
        << cp932(u"\"04.06.09   はれ  \""_s) << u"04.06.09"_s << u"はれ"_s;
    QTest::newRow("inner quotes dropped")
        << cp932(u"\"04.06.09 \"はれ\"です\""_s) << u"04.06.09"_s << u"はれです"_s;
    QTest::newRow("no quotes") << cp932(u"04.06.09 はれ"_s) << u"04.06.09"_s << u"はれ"_s;
    QTest::newRow("short line") << cp932(u"\"abc\""_s) << u"abc"_s << QString();
    QTest::newRow("malformed stamp") << cp932(u"\"2004/6/9 はれ\""_s) << u"2004/6/9"_s << u"はれ"_s;
    // Without the separating space the ninth character stays in the text.
    QTest::newRow("no separator") << cp932(u"\"no quotes at all\""_s) << u"no quote"_s
                                  << u"s at all"_s;
    // A two-unit character where the stamp ends is not cut in half.
    QTest::newRow("emoji at the stamp's end")
        << u"\"1234567😀 x\""_s.toUtf8() << u"1234567"_s << u"😀 x"_s;
}

void tst_diaryfile::lineParsing()
{
    QFETCH(QByteArray, line);
    QFETCH(QString, stamp);
    QFETCH(QString, text);
    TalkFixture f;
    // Blank lines around the entry are skipped.
    f.writeFile(u"day.txt"_s, "\r\n   \r\n" + line + "\r\n\r\n");
    frmTalk &w = f.create();
    DiaryFile::LoadDiary(w);
    QCOMPARE(w.grdDay->rows(), 2);
    QCOMPARE(w.grdDay->textMatrix(0, 0), kToday);
    QCOMPARE(w.grdDay->textMatrix(1, 0), stamp);
    QCOMPARE(w.grdDay->textMatrix(1, 1), text);
}

void tst_diaryfile::sortHighlightsNewest()
{
    TalkFixture f;
    f.writeFile(u"day.txt"_s,
                diaryFile({u"26.12.07 c"_s, u"26.11.30 a"_s, u"26.12.01 b"_s, u"99.01.01 z"_s}));
    frmTalk &w = f.create();
    w.state().gListRow = 3;
    DiaryFile::LoadDiary(w);
    DiaryFile::SortDiary(w);
    FlexGrid &g = *w.grdDay;
    // By the stamp's text, "99" (1999) above "26" (2026), with today's row at the top.
    QCOMPARE(column(g, 1), (QStringList{u"c"_s, u"z"_s, u"b"_s, u"a"_s}));
    QCOMPARE(g.cellBackColor(0, 1), Units::Colour::LightGreen);
    QCOMPARE(g.cellBackColor(1, 1), Units::Colour::White);
    QCOMPARE(w.state().gListRow, 0);
    QCOMPARE(g.topRow(), 0);
    QVERIFY(g.isVisible());
    QCOMPARE(g.colWidth(0), 4500);
    QCOMPARE(g.colWidth(1), DesignLayout::rect(w.grdBoard).width() - 4500);
    QCOMPARE(DesignLayout::rect(&g), DesignLayout::rect(w.grdBoard));
}

void tst_diaryfile::saveEveryRow()
{
    TalkFixture f;
    f.writeFile(u"day.txt"_s, diaryFile({u"26.12.06 はれ"_s, u"26.12.05"_s, u"26.12.04 あめ"_s}));
    frmTalk &w = loaded(f);
    w.state().gDiaryRow = 2;
    QVERIFY(DiaryFile::SaveDiary(w, u"ゆき"_s));
    // は 82CD, れ 82EA, ゆ 82E4, き 82AB, あ 82A0, め 82DF.
    const QByteArray expected = "\"26.12.07 \"\r\n"
                                "\"26.12.06 \x82\xCD\x82\xEA\"\r\n"
                                "\"26.12.05 \x82\xE4\x82\xAB\"\r\n"
                                "\"26.12.04 \x82\xA0\x82\xDF\"\r\n";
    QCOMPARE(f.readFile(u"day.txt"_s), expected);
}

void tst_diaryfile::noEntriesStillGiveToday_data()
{
    QTest::addColumn<bool>("exists");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QByteArray>("saved");
    // One end marker "_" is dropped on saving, a second one kept.
    QTest::newRow("missing") << false << QByteArray() << u"a__"_s << "\"26.12.07 a_\"\r\n"_ba;
    QTest::newRow("empty") << true << QByteArray() << u"a"_s << "\"26.12.07 a\"\r\n"_ba;
    QTest::newRow("blank lines") << true << "\r\n  \r\n"_ba << u"a_"_s << "\"26.12.07 a\"\r\n"_ba;
}

void tst_diaryfile::noEntriesStillGiveToday()
{
    QFETCH(bool, exists);
    QFETCH(QByteArray, content);
    TalkFixture f;
    if (exists)
        f.writeFile(u"day.txt"_s, content);
    frmTalk &w = loaded(f);
    QCOMPARE(column(*w.grdDay, 0), QStringList{kToday});
    QCOMPARE(w.grdDay->cellBackColor(0, 1), Units::Colour::LightGreen);
    w.state().gDiaryRow = 0;
    QFETCH(QString, entry);
    QVERIFY(DiaryFile::SaveDiary(w, entry));
    QTEST(f.readFile(u"day.txt"_s), "saved");
}

void tst_diaryfile::lineBreakRoundTrips()
{
    TalkFixture f;
    f.writeFile(u"day.txt"_s, diaryFile({u"26.12.06 あめ"_s}));
    frmTalk &w = loaded(f);
    w.state().gDiaryRow = 0;
    const QString entry = u"はれ\nのち\r\nくもり"_s;
    QVERIFY(DiaryFile::SaveDiary(w, entry));
    DiaryFile::LoadDiary(w);
    DiaryFile::SortDiary(w);
    QCOMPARE(column(*w.grdDay, 0), (QStringList{kToday, u"26.12.06"_s}));
    QCOMPARE(w.grdDay->textMatrix(0, 1), u"はれ\nのち\nくもり"_s);
    QCOMPARE(w.grdDay->textMatrix(1, 1), u"あめ"_s);
}

void tst_diaryfile::manyEntries()
{
    QStringList entries;
    QDate day(2026, 12, 6);
    for (int i = 0; i < 10000; ++i, day = day.addDays(-1))
        entries.append(i % 97 == 0 ? u"-bad-"_s : DiaryFile::stamp(day) + u" にっき"_s);
    TalkFixture f;
    f.writeFile(u"day.txt"_s, diaryFile(entries));
    frmTalk &w = loaded(f);
    QCOMPARE(w.grdDay->rows(), 10001);
    QCOMPARE(column(*w.grdDay, 0).count(kToday), 1);
    QCOMPARE(column(*w.grdDay, 0).count(u"-bad-"_s), 104);
}

QTEST_MAIN(tst_diaryfile)
#include "tst_diaryfile.moc"
