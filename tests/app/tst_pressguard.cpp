#include "TalkFixture.h"
#include "platform/FlexGrid.h"
#include "platform/PressGuard.h"
#include "platform/TextBox.h"

#include <QCoreApplication>
#include <QFrame>
#include <QTest>

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

class tst_pressguard : public QObject
{
    Q_OBJECT

  private slots:
    void secondPressOnWhatAppeared_data();
    void secondPressOnWhatAppeared();
};

void tst_pressguard::secondPressOnWhatAppeared_data()
{
    QTest::addColumn<bool>("boardBeneath"); // else the selection screen over the board
    QTest::addColumn<qint64>("afterMs");
    QTest::addColumn<bool>("acts");
    const qint64 settle = PressGuard::kSettleMs;
    QTest::newRow("selection screen, just too soon") << false << settle - 1 << false;
    QTest::newRow("selection screen, settled") << false << settle << true;
    QTest::newRow("board beneath, just too soon") << true << settle - 1 << false;
    QTest::newRow("board beneath, settled") << true << settle << true;
}

// A first press brings up a control; a second one `afterMs` later lands on it.
void tst_pressguard::secondPressOnWhatAppeared()
{
    QFETCH(bool, boardBeneath);
    QFETCH(qint64, afterMs);
    TalkFixture f;
    f.settings.values.insert(u"OPT1"_s, u"0"_s); // a board press opens the selection screen
    frmTalk &w = f.create();
    tapCell(w.grdBoard, 0, 9);
    if (boardBeneath) {
        f.clock.advance(PressGuard::kSettleMs);
        tapCell(w.grdBoard2, 1, 1); // あ: the selection screen closes
        f.clock.advance(afterMs);
        tapCell(w.grdBoard, 0, 8);
        QTEST(w.fraSet->isVisible(), "acts");
        return;
    }
    f.clock.advance(afterMs);
    tapCell(w.grdBoard2, 1, 1);
    QTEST(w.txtTalk->text() == u"あ_"_s, "acts");
}

QTEST_MAIN(tst_pressguard)
#include "tst_pressguard.moc"
