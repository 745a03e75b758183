#include "SampleHelpers.h"
#include "compose/TextArea.h"
#include "diary/DiaryFile.h"
#include "platform/DesignLayout.h"
#include "platform/Units.h"

#include <QFileInfo>
#include <sys/stat.h>

using namespace Qt::Literals::StringLiterals;

namespace {
// The fixture's today, 7 December 2026.
const QString kToday = u"26.12.07"_s;

// A day.txt of the given lines, each quoted.
QByteArray diaryFile(QStringList entries)
{
    for (QString &entry : entries)
        entry = u'"' + entry + u'"';
    return SampleHelpers::cp932(entries);
}

// The diary list reached as a user reaches it: "例文", then "決定" on "日記" at the top.
frmTalk &diaryList(TalkFixture &f, const QStringList &entries)
{
    if (!entries.isEmpty())
        f.writeFile(u"day.txt"_s, diaryFile(entries));
    frmTalk &w = f.create();
    f.click("cmdSamp");
    f.click("cmdDec");
    return w;
}

// Whether a user can click the button: shown and not covered by another shown foot frame.
bool reachable(frmTalk &w, QPushButton *button)
{
    if (!button->isVisible())
        return false;
    const QRect onWindow(button->mapTo(&w, QPoint(0, 0)), button->size());
    QWidget *top = w.childAt(onWindow.center());
    return top == button || button->isAncestorOf(top);
}
} // namespace

class tst_diary : public QObject
{
    Q_OBJECT

  private slots:
    void loadAndSort_data();
    void loadAndSort();
    void saveEveryRow();
    void correctAndGoBack_data();
    void correctAndGoBack();
    void stepThroughTheList();
    void endingSavesTheOpenEntry_data();
    void endingSavesTheOpenEntry();
};

void tst_diary::loadAndSort_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QStringList>("stamps");
    QTest::addColumn<QStringList>("texts");
    // Newest first by the stamp's text, "99" (1999) above "26" (2026); today's row added.
    QTest::newRow("first is older")
        << diaryFile({u"26.11.30 a"_s, u"26.12.01 b"_s, u"99.01.01 z"_s})
        << QStringList{kToday, u"99.01.01"_s, u"26.12.01"_s, u"26.11.30"_s}
        << QStringList{QString(), u"z"_s, u"b"_s, u"a"_s};
    // Lines that sort above today's stamp do not take its place at the top.
    QTest::newRow("undated line") << diaryFile({u"26.12.07 はれ"_s, u"メモ かいもの"_s})
                                  << QStringList{kToday, u"メモ かいもの"_s}
                                  << QStringList{u"はれ"_s, QString()};
    // Without the separating space the ninth character stays in the text; a two-unit
    // character where the stamp ends is not cut in half.
    QTest::newRow("no separator, emoji at the stamp's end")
        << u"\uFEFF\"no quotes at all\"\r\n\"1234567😀 x\"\r\n"_s.toUtf8()
        << QStringList{kToday, u"no quote"_s, u"1234567"_s}
        << QStringList{QString(), u"s at all"_s, u"😀 x"_s};
    QTest::newRow("blank lines only")
        << "\r\n  \r\n"_ba << QStringList{kToday} << QStringList{QString()};
}

void tst_diary::loadAndSort()
{
    QFETCH(QByteArray, file);
    TalkFixture f;
    f.writeFile(u"day.txt"_s, file);
    frmTalk &w = diaryList(f, {});
    QTEST(SampleHelpers::column(w.grdDay, 0), "stamps");
    QTEST(SampleHelpers::column(w.grdDay, 1), "texts");
    // Today's row highlighted and shown, the list over the board.
    QCOMPARE(w.grdDay->cellBackColor(0, 1), Units::Colour::LightGreen);
    QCOMPARE(DesignLayout::rect(w.grdDay), DesignLayout::rect(w.grdBoard));
    // No entry open: closing the list has nothing to ask or save.
    f.click("cmdSamp");
    QVERIFY(f.asker.asked.isEmpty());
    QVERIFY(!w.grdDay->isVisible() && w.grdBoard->isVisible() && !w.grdEx->isVisible());
    QCOMPARE(w.cmdSamp->text(), u"例文表示"_s);
}

void tst_diary::saveEveryRow()
{
    TalkFixture f;
    frmTalk &w = diaryList(f, {u"26.12.06 はれ"_s, u"26.12.05"_s, u"26.12.04 あめ"_s});
    w.state().gDiaryRow = 2;
    // The end marker is dropped, an entered "_" before it kept.
    QVERIFY(w.diaryFile().SaveDiary(u"ゆき__"_s));
    // は 82CD, れ 82EA, ゆ 82E4, き 82AB, あ 82A0, め 82DF.
    const QByteArray expected = "\"26.12.07 \"\r\n"
                                "\"26.12.06 \x82\xCD\x82\xEA\"\r\n"
                                "\"26.12.05 \x82\xE4\x82\xAB_\"\r\n"
                                "\"26.12.04 \x82\xA0\x82\xDF\"\r\n";
    QCOMPARE(f.readFile(u"day.txt"_s), expected);
}

void tst_diary::correctAndGoBack_data()
{
    QTest::addColumn<QStringList>("file");
    QTest::addColumn<int>("row"); // clicked on the list
    QTest::addColumn<QString>("opened");
    QTest::addColumn<QString>("revised");   // "修正" selects the last character
    QTest::addColumn<QString>("entryMode"); // OPT1: what a board press opens while correcting
    QTest::newRow("today's new entry, prediction list")
        << QStringList{u"26.12.06 あめ"_s} << 0 << QString() << QString() << u"2"_s;
    QTest::newRow("はれ, selection screen")
        << QStringList{u"26.12.07  はれ "_s} << 0 << u"はれ"_s << u"は[れ]"_s << u"0"_s;
    QTest::newRow("a clicked row") << QStringList{u"26.12.07 a"_s, u"26.12.06 b"_s, u"26.12.05 c"_s}
                                   << 2 << u"c"_s << u"[c]"_s << u"2"_s;
}

void tst_diary::correctAndGoBack()
{
    QFETCH(QStringList, file);
    QFETCH(int, row);
    QFETCH(QString, opened);
    QFETCH(QString, entryMode);
    TalkFixture f;
    f.settings.values.insert(u"OPT1"_s, entryMode);
    f.settings.values.insert(u"Beep"_s, u"1"_s);
    f.writeFile(u"Talk.txt"_s, "\"\x82\xA0\x82\xB3\"\r\n"); // あさ: a prediction for あ
    frmTalk &w = diaryList(f, file);
    const QByteArray before = f.readFile(u"day.txt"_s);
    const int beeps = f.beeper.count;
    f.clickCell("grdDay", row, 1);
    QCOMPARE(f.beeper.count, beeps + 1);
    for (int r = 0; r < w.grdDay->rows(); ++r)
        QCOMPARE(w.grdDay->cellBackColor(r, 1),
                 r == row ? Units::Colour::LightGreen : Units::Colour::White);

    f.click("cmdDec");
    QCOMPARE(w.txtTalk->text(), opened);
    QCOMPARE(w.txtTalk->selStart(), int(opened.size()));
    QCOMPARE(w.state().gDiaryRow, row);

    f.click("cmdRevise");
    QTEST(f.shown(), "revised");
    QCOMPARE(DesignLayout::rect(w.fraText).height(), TextArea::kNarrowFrame);
    // Correcting: the whole caret pad and "戻る" can both be pressed.
    for (QPushButton *pad : w.cmdRes)
        QVERIFY2(reachable(w, pad), qPrintable(pad->objectName()));
    QVERIFY(reachable(w, w.cmdStart));
    QVERIFY(reachable(w, w.cmdBack));
    w.txtTalk->setText(QString());
    f.clickCell("grdBoard", 0, 9); // あ
    QVERIFY(w.grdSp->isVisible() || w.fraSet->isVisible());

    // "戻る": the list as the file has it, over whatever correcting opened.
    f.click("cmdBack");
    QVERIFY(w.grdDay->isVisible());
    QVERIFY(!w.grdSp->isVisible() && !w.fraSet->isVisible());
    QCOMPARE(f.readFile(u"day.txt"_s), before);
    // The list buttons lie over the caret pad that correcting left shown.
    QVERIFY(reachable(w, w.cmdDec));

    // Opened again: the top entry as stored, the diary buttons back in their own places.
    f.click("cmdDec");
    QCOMPARE(w.txtTalk->text(), w.grdDay->textMatrix(0, 1));
    QVERIFY(reachable(w, w.cmdRevise));
    QVERIFY(reachable(w, w.cmdBack));
}

// △ and ▽ through the window step the highlight over the diary list, and "決定" opens the
// entry stepped to.
void tst_diary::stepThroughTheList()
{
    QStringList entries; // under today's row, row r holds "e<r>", dated 26.10.(30 - r)
    for (int r = 1; r <= 12; ++r)
        entries.append(u"26.10.%1 e%2"_s.arg(30 - r).arg(r));
    TalkFixture f;
    frmTalk &w = diaryList(f, entries);
    f.hold(w.cmdDown, 4);
    f.hold(w.cmdUp, 1);
    QCOMPARE(SampleHelpers::highlightedRows(w.grdDay, 1), QList<int>{3});
    QCOMPARE(w.grdDay->topRow(), 1); // scrolled under the third row, back one
    f.click("cmdDec");
    QCOMPARE(w.txtTalk->text(), u"e3"_s);
}

void tst_diary::endingSavesTheOpenEntry_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("told"); // the notice after the question
    // Writing could replace a pipe: only the guard for unreadable files keeps it.
    QTest::newRow("a named pipe") << u"pipe"_s << u"日記を保存できませんでした"_s;
    QTest::newRow("undecodable bytes kept") << u"damaged"_s << u"控え：day.txt.bak-\n20261207-"_s;
}

// "日記終了", ＹＥＳ to saving, on a day.txt that cannot simply be replaced.
void tst_diary::endingSavesTheOpenEntry()
{
    QFETCH(QString, file);
    TalkFixture f;
    const QString path = f.filePath(u"day.txt"_s);
    const QByteArray damaged("\"26.12.07 \x82\x20\"\r\n");
    if (file == u"pipe"_s)
        QCOMPARE(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    else
        f.writeFile(u"day.txt"_s, damaged);
    frmTalk &w = diaryList(f, {});
    f.click("cmdDec");
    w.txtTalk->setText(u"はれ"_s);
    f.asker.answers = {true, true};
    f.click("cmdSamp");

    QCOMPARE(f.asker.asked.size(), 2);
    QFETCH(QString, told);
    QVERIFY2(f.asker.asked[1].prompt.startsWith(told), qPrintable(f.asker.asked[1].prompt));
    QVERIFY(w.txtTalk->text().startsWith(u"はれ"_s));
    if (file == u"pipe"_s) {
        QVERIFY(!QFileInfo(path).isFile());
        return;
    }
    QCOMPARE(f.readFile(u"day.txt"_s), "\"26.12.07 \x82\xCD\x82\xEA\"\r\n"_ba);
    // The notice names the copy, which holds the original bytes.
    QCOMPARE(f.readFile(f.asker.asked[1].prompt.mid(3).remove(u'\n')), damaged);
}

QTEST_MAIN(tst_diary)
#include "tst_diary.moc"
