#include "SampleHelpers.h"

using namespace Qt::Literals::StringLiterals;
using namespace SampleHelpers;

class tst_liststepper : public QObject
{
    Q_OBJECT

  private slots:
    void step_data();
    void step();
    void noListOnlyKeepsTheFocus();
};

void tst_liststepper::step_data()
{
    QTest::addColumn<int>("count");        // sentences in the list
    QTest::addColumn<bool>("predictions"); // the prediction list instead of the sample list
    QTest::addColumn<int>("clickRow");     // 0: none clicked
    QTest::addColumn<int>("topRow");       // -1: as shown
    QTest::addColumn<bool>("down");
    QTest::addColumn<int>("pauses"); // how long the button is held
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("top");
    QTest::newRow("held down: scrolls once under the third row")
        << 19 << false << 0 << -1 << true << 3 << 3 << 1;
    QTest::newRow("up scrolls back first") << 29 << false << 7 << 5 << false << 1 << 6 << 4;
    QTest::newRow("up at the top") << 2 << false << 0 << -1 << false << 1 << 0 << 0;
    QTest::newRow("down at the end") << 2 << false << 2 << -1 << true << 1 << 2 << 0;
    QTest::newRow("predictions: the key row stays on top")
        << 29 << true << 3 << 1 << false << 3 << 0 << 1;
}

void tst_liststepper::step()
{
    QFETCH(int, count);
    QFETCH(bool, predictions);
    QFETCH(int, clickRow);
    QFETCH(int, topRow);
    QFETCH(bool, down);
    QFETCH(int, pauses);
    QFETCH(int, row);
    TalkFixture f;
    f.settings.values.insert(u"OPT1"_s, u"2"_s); // one-click entry offers predictions
    writeSamples(f, numbered(u"か"_s, count));
    frmTalk &w = f.create();
    FlexGrid *list = predictions ? w.grdSp : w.grdEx;
    const int col = predictions ? 0 : 1;
    if (predictions)
        f.clickCell("grdBoard", 0, 8); // か
    else
        f.click("cmdSamp");
    if (clickRow > 0)
        f.clickCell(predictions ? "grdSp" : "grdEx", clickRow, col);
    if (topRow >= 0)
        list->setTopRow(topRow);
    const int before = w.state().gListRow;
    f.hold(down ? w.cmdDown : w.cmdUp, pauses);
    QCOMPARE(w.state().gListRow, row);
    QCOMPARE(highlightedRows(list, col), QList<int>{row});
    QCOMPARE(highlightedRows(list, 0), predictions ? QList<int>{row} : QList<int>());
    QTEST(list->topRow(), "top");
    QCOMPARE(f.clock.waits, QList<qint64>(qAbs(row - before), 230));
    QVERIFY(w.txtTalk->hasFocus());
}

void tst_liststepper::noListOnlyKeepsTheFocus()
{
    TalkFixture f;
    frmTalk &w = f.create();
    w.state().gListRow = 2;
    f.hold(w.cmdDown, 3);
    QCOMPARE(f.clock.waits.size(), 3);
    QCOMPARE(w.state().gListRow, 2);
    QVERIFY(w.txtTalk->hasFocus());
}

QTEST_MAIN(tst_liststepper)
#include "tst_liststepper.moc"
