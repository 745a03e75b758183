#include "TalkFixture.h"
#include "platform/DesignLayout.h"
#include "platform/FlexGrid.h"
#include "platform/TextBox.h"
#include "platform/Units.h"
#include "samples/Predictions.h"

#include <QFrame>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

// The window in one-click entry mode with the given samples and key length.
frmTalk &start(TalkFixture &f, const QStringList &samples, const QString &keyLength = u"2"_s,
               const QString &samp = u"1"_s)
{
    f.settings.values.insert(u"OPT1"_s, u"2"_s);
    f.settings.values.insert(u"Sample"_s, keyLength);
    f.settings.values.insert(u"Samp"_s, samp);
    frmTalk &w = f.create();
    w.state().gSampleList = samples;
    return w;
}

void setText(frmTalk &w, const QString &text, int selStart, int selLength)
{
    w.txtTalk->setText(text);
    w.txtTalk->select(selStart, selLength);
}

QStringList listRows(const FlexGrid &g)
{
    QStringList rows;
    for (int r = 0; r < g.rows(); ++r)
        rows.append(g.textMatrix(r, 0));
    return rows;
}

// The board cells used: あ (0,9), い (1,9), か (0,8), は (0,4).
struct Cell
{
    int row;
    int col;
};

} // namespace

Q_DECLARE_METATYPE(Cell)

class tst_predictions : public QObject
{
    Q_OBJECT

  private slots:
    void offer_data();
    void offer();
    void offerFromSelectionScreen();
    void blankKeyOffersNothing();
    void rowClick();
    void confirm_data();
    void confirm();
    void manyMatchesScroll();
};

void tst_predictions::offer_data()
{
    QTest::addColumn<QString>("samp");
    QTest::addColumn<QString>("keyLength");
    QTest::addColumn<QStringList>("samples");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("selStart");
    QTest::addColumn<Cell>("cell");
    QTest::addColumn<QStringList>("rows"); // empty: no list

    const QStringList aSamples{u"あいさつ"_s, u"か"_s, u"あした"_s, u"あ"_s};
    QTest::newRow("Samp 0") << u"0"_s << u"2"_s << aSamples << QString() << 0 << Cell{0, 9}
                            << QStringList();
    QTest::newRow("one character before the marker")
        << u"1"_s << u"2"_s << aSamples << QString() << 0 << Cell{0, 9}
        << QStringList{u"あ"_s, u"あいさつ"_s, u"あした"_s, u"あ"_s};
    QTest::newRow("two-character key") << u"1"_s << u"2"_s << aSamples << u"あ_"_s << 1
                                       << Cell{1, 9} << QStringList{u"あい"_s, u"あいさつ"_s};
    QTest::newRow("key of the last characters only")
        << u"1"_s << u"2"_s << QStringList{u"いか"_s, u"あいか"_s} << u"あい_"_s << 2 << Cell{0, 8}
        << QStringList{u"いか"_s, u"いか"_s};
    QTest::newRow("key length 1") << u"1"_s << u"1"_s << QStringList{u"いいえ"_s, u"あいさつ"_s}
                                  << u"あ_"_s << 1 << Cell{1, 9}
                                  << QStringList{u"い"_s, u"いいえ"_s};
    QTest::newRow("caret not at the end")
        << u"1"_s << u"2"_s << aSamples << u"あい_"_s << 1 << Cell{0, 8} << QStringList();
    QTest::newRow("no match") << u"1"_s << u"2"_s << aSamples << QString() << 0 << Cell{0, 4}
                              << QStringList();
    QTest::newRow("empty sample never matches") << u"1"_s << u"2"_s << QStringList{QString()}
                                                << QString() << 0 << Cell{0, 9} << QStringList();
    QTest::newRow("full-width space stays in the key")
        << u"1"_s << u"2"_s << QStringList{u"\u3000はい"_s, u"はい"_s} << u"\u3000_"_s << 1
        << Cell{0, 4} << QStringList{u"\u3000は"_s, u"\u3000はい"_s};
    QTest::newRow("ASCII blank trimmed, shorter sample compared whole")
        << u"1"_s << u"2"_s << QStringList{u"は"_s, u"はい"_s} << u" _"_s << 1 << Cell{0, 4}
        << QStringList{u"は"_s, u"は"_s};
    QTest::newRow("diary placeholder is no sentence")
        << u"1"_s << u"2"_s << QStringList{u"ああああ日記ダミー消さないでね！"_s, u"あさ"_s}
        << QString() << 0 << Cell{0, 9} << QStringList{u"あ"_s, u"あさ"_s};
}

void tst_predictions::offer()
{
    QFETCH(QString, samp);
    QFETCH(QString, keyLength);
    QFETCH(QStringList, samples);
    QFETCH(QString, text);
    QFETCH(int, selStart);
    QFETCH(Cell, cell);
    QFETCH(QStringList, rows);
    TalkFixture f;
    frmTalk &w = start(f, samples, keyLength, samp);
    setText(w, text, selStart, text.isEmpty() ? 0 : 1);
    w.state().gListRow = 5;
    f.clickCell("grdBoard", cell.row, cell.col);
    QVERIFY(!f.busy.isBusy());

    const FlexGrid &list = *w.grdSp;
    const bool offered = !rows.isEmpty();
    QCOMPARE(list.isVisible(), offered);
    QCOMPARE(w.grdBoard->isVisible(), !offered);
    QCOMPARE(w.fraRes->isVisible(), !offered);
    QCOMPARE(w.fraTalk->isVisible(), offered);
    if (!offered)
        return;
    QCOMPARE(listRows(list), rows);
    QCOMPARE(DesignLayout::rect(w.grdSp), DesignLayout::rect(w.grdBoard));
    QCOMPARE(list.colWidth(0), frmTalk::kDesignWidth); // the window's width at design size
    QCOMPARE(w.state().gListRow, 0);
    QCOMPARE(list.topRow(), 0);
    QCOMPARE(list.cellBackColor(0, 0), Units::Colour::LightGreen);
    for (int r = 1; r < list.rows(); ++r)
        QCOMPARE(list.cellBackColor(r, 0), Units::Colour::White);
    // The end marker is the current character again.
    QCOMPARE(w.txtTalk->selStart(), w.txtTalk->length() - 1);
    QCOMPARE(w.txtTalk->selLength(), 1);
}

void tst_predictions::offerFromSelectionScreen()
{
    TalkFixture f;
    f.settings.values.insert(u"OPT1"_s, u"0"_s);
    frmTalk &w = f.create();
    w.state().gSampleList = {u"ぱん"_s};
    f.clickCell("grdBoard", 0, 4);
    f.clickCell("grdBoard2", 1, 0);
    QCOMPARE(w.txtTalk->text(), u"ぱ_"_s);
    QVERIFY(w.grdSp->isVisible());
    QVERIFY(!w.fraSet->isVisible());
    QCOMPARE(listRows(*w.grdSp), (QStringList{u"ぱ"_s, u"ぱん"_s}));
}

void tst_predictions::blankKeyOffersNothing()
{
    TalkFixture f;
    frmTalk &w = start(f, {QString(), u"あ"_s});
    w.predictions().ShowPredictions(u"  "_s);
    QVERIFY(!w.grdSp->isVisible());
    QVERIFY(w.grdBoard->isVisible());
}

void tst_predictions::rowClick()
{
    TalkFixture f;
    f.settings.values.insert(u"Beep"_s, u"1"_s);
    frmTalk &w = start(f, {u"あい"_s, u"あさ"_s});
    f.clickCell("grdBoard", 0, 9);
    const int beeps = f.beeper.count;
    f.clickCell("grdSp", 2, 0);
    FlexGrid &list = *w.grdSp;
    QCOMPARE(f.beeper.count, beeps + 1);
    QCOMPARE(w.state().gListRow, 2);
    QCOMPARE(list.cellBackColor(0, 0), Units::Colour::White);
    QCOMPARE(list.cellBackColor(2, 0), Units::Colour::LightGreen);
    QCOMPARE(w.txtTalk->text(), u"あ_"_s);
}

void tst_predictions::confirm_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("selStart");
    QTest::addColumn<Cell>("cell");
    QTest::addColumn<QStringList>("samples");
    QTest::addColumn<int>("pickRow");
    QTest::addColumn<QString>("textBeforeConfirm"); // null: as the entry left it
    QTest::addColumn<int>("caretBeforeConfirm");
    QTest::addColumn<QString>("result");
    QTest::addColumn<int>("resultStart");

    const QStringList ohayo{u"おはようございます"_s};
    QTest::newRow("text shorter than the key")
        << QString() << 0 << Cell{0, 9} << QStringList{u"あいさつ"_s} << 1 << QString() << 0
        << u"あいさつ_"_s << 4;
    QTest::newRow("key replaced by the sentence")
        << u"ねお_"_s << 2 << Cell{0, 4} << ohayo << 1 << QString() << 0
        << u"ねおはようございます_"_s << 10;
    QTest::newRow("key row leaves the text")
        << u"ねお_"_s << 2 << Cell{0, 4} << ohayo << 0 << QString() << 0 << u"ねおは_"_s << 3;
    QTest::newRow("key row drops ASCII blanks")
        << u"ね _"_s << 2 << Cell{0, 4} << QStringList{u"は"_s} << 0 << QString() << 0 << u"ねは_"_s
        << 2;
    QTest::newRow("key row keeps a full-width space")
        << u"\u3000_"_s << 1 << Cell{0, 4} << QStringList{u"\u3000はい"_s} << 0 << QString() << 0
        << u"\u3000は_"_s << 2;
    QTest::newRow("text without the end marker")
        << u"ねお_"_s << 2 << Cell{0, 4} << ohayo << 1 << u"ねおは_え"_s << 3
        << u"ねおはおはようございます_え"_s << 11;
}

void tst_predictions::confirm()
{
    QFETCH(QString, text);
    QFETCH(int, selStart);
    QFETCH(Cell, cell);
    QFETCH(QStringList, samples);
    QFETCH(int, pickRow);
    QFETCH(QString, textBeforeConfirm);
    QFETCH(int, caretBeforeConfirm);
    QFETCH(QString, result);
    QFETCH(int, resultStart);
    TalkFixture f;
    frmTalk &w = start(f, samples);
    setText(w, text, selStart, text.isEmpty() ? 0 : 1);
    f.clickCell("grdBoard", cell.row, cell.col);
    QVERIFY(w.grdSp->isVisible());
    if (pickRow != 0)
        f.clickCell("grdSp", pickRow, 0);
    if (!textBeforeConfirm.isNull())
        setText(w, textBeforeConfirm, caretBeforeConfirm, 0);
    const QString pick = w.grdSp->textMatrix(pickRow, 0);

    f.click("cmdDec");

    QCOMPARE(w.txtTalk->text(), result);
    QCOMPARE(w.txtTalk->selStart(), resultStart);
    QCOMPARE(w.txtTalk->selLength(), 1);
    QCOMPARE(w.state().gCellText, pick);
    QVERIFY(!w.grdSp->isVisible());
    QVERIFY(w.grdBoard->isVisible());
    QVERIFY(w.fraRes->isVisible());
    QVERIFY(!w.fraTalk->isVisible());
    QVERIFY(w.isEnabled());
    QCOMPARE(w.focusWidget(), w.txtTalk);
}

void tst_predictions::manyMatchesScroll()
{
    QStringList samples;
    for (int i = 0; i < 100; ++i)
        samples.append(u"あ%1"_s.arg(i));
    TalkFixture f;
    frmTalk &w = start(f, samples);
    f.clickCell("grdBoard", 0, 9);
    FlexGrid &list = *w.grdSp;
    QCOMPARE(list.rows(), 101);
    QCOMPARE(list.textMatrix(100, 0), u"あ99"_s);
    QVERIFY(list.verticalScrollBar()->maximum() > 0);
    QCOMPARE(list.topRow(), 0);
    // A new list starts at its top again.
    list.setTopRow(60);
    f.click("cmdDec");
    w.txtTalk->setText(QString());
    f.clickCell("grdBoard", 0, 9);
    QVERIFY(list.isVisible());
    QCOMPARE(list.topRow(), 0);
}

QTEST_MAIN(tst_predictions)
#include "tst_predictions.moc"
