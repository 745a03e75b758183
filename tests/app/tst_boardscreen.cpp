#include "TalkFixture.h"

#include <QCoreApplication>

using namespace Qt::Literals::StringLiterals;

namespace {
// A press and release on a cell; pending events run after it, as the event loop runs them,
// but the clock does not move on.
void tapCell(FlexGrid *grid, int row, int col)
{
    const QRect cell = grid->visualRect(grid->model()->index(row, col));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    QCoreApplication::processEvents();
}
} // namespace

class tst_boardscreen : public QObject
{
    Q_OBJECT

  private slots:
    void boards_data();
    void boards();
    void secondPressOnWhatAppeared_data();
    void secondPressOnWhatAppeared();
};

void tst_boardscreen::boards_data()
{
    QTest::addColumn<QString>("maxC");
    QTest::addColumn<int>("keyPresses");
    QTest::addColumn<QPoint>("cell");   // (col, row)
    QTest::addColumn<QString>("board"); // the board switch's caption, column width, the cell
    QTest::newRow("hiragana") << u"9"_s << 0 << QPoint(2, 4) << u"ひら 1530 ？"_s;
    QTest::newRow("katakana") << u"9"_s << 1 << QPoint(9, 0) << u"カタ 1530 ア"_s;
    QTest::newRow("back to hiragana") << u"9"_s << 3 << QPoint(9, 0) << u"ひら 1530 あ"_s;
    QTest::newRow("15 columns ぱ") << u"14"_s << 0 << QPoint(0, 0) << u"ひら 1013 ぱ"_s;
    QTest::newRow("15 columns alphanumeric") << u"14"_s << 2 << QPoint(12, 0) << u"英数 1013 "_s;
}

void tst_boardscreen::boards()
{
    QFETCH(QString, maxC);
    QFETCH(int, keyPresses);
    QFETCH(QPoint, cell);
    TalkFixture f;
    f.settings.values.insert(u"gMaxC"_s, maxC);
    frmTalk &w = f.create();
    for (int i = 0; i < keyPresses; ++i)
        f.click("cmdKey");
    QCOMPARE(w.grdBoard->cols(), maxC.toInt() + 1);
    QTEST(u"%1 %2 %3"_s.arg(w.cmdKey->text())
              .arg(w.grdBoard->colWidth(0))
              .arg(w.grdBoard->textMatrix(cell.y(), cell.x())),
          "board");
    // The board screen, as it first shows, on every board.
    QCOMPARE(w.txtTalk->text(), QString());
    QVERIFY(!f.busy.isBusy());
    for (const char *shown : {"grdBoard", "fraText", "fraRes", "cmdSamp", "cmdSampADD", "cmdKey",
                              "cmdRead", "cmdEnd", "cmdOpt", "cmdRes_0", "cmdRes_4"})
        QVERIFY2(w.findChild<QWidget *>(QString::fromLatin1(shown))->isVisible(), shown);
    for (const char *hidden :
         {"grdSp", "fraSet", "grdEx", "grdDay", "fraDay", "fraTalk", "cmdSampDel", "txtHide"})
        QVERIFY2(!w.findChild<QWidget *>(QString::fromLatin1(hidden))->isVisible(), hidden);
}

void tst_boardscreen::secondPressOnWhatAppeared_data()
{
    QTest::addColumn<bool>("boardBeneath"); // else the selection screen over the board
    QTest::addColumn<qint64>("afterMs");
    QTest::addColumn<bool>("acts");
    const qint64 settle = 300; // the time a person's accidental double press takes
    QTest::newRow("selection screen, just too soon") << false << settle - 1 << false;
    QTest::newRow("selection screen, settled") << false << settle << true;
    QTest::newRow("board beneath, just too soon") << true << settle - 1 << false;
    QTest::newRow("board beneath, settled") << true << settle << true;
}

// A first press brings up a control; a second one `afterMs` later lands on it.
void tst_boardscreen::secondPressOnWhatAppeared()
{
    QFETCH(bool, boardBeneath);
    QFETCH(qint64, afterMs);
    TalkFixture f;
    f.settings.values.insert(u"OPT1"_s, u"0"_s); // a board press opens the selection screen
    frmTalk &w = f.create();
    tapCell(w.grdBoard, 0, 9);
    if (boardBeneath) {
        f.clock.advance(300);
        tapCell(w.grdBoard2, 1, 1); // あ: the selection screen closes
    }
    f.clock.advance(afterMs);
    // The board's next cell, or the selection screen's あ.
    tapCell(boardBeneath ? w.grdBoard : w.grdBoard2, boardBeneath ? 0 : 1, boardBeneath ? 8 : 1);
    QTEST(boardBeneath ? w.fraSet->isVisible() : w.txtTalk->text() == u"あ_"_s, "acts");
}

QTEST_MAIN(tst_boardscreen)
#include "tst_boardscreen.moc"
