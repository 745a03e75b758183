#include "TalkFixture.h"
#include "platform/FlexGrid.h"
#include "platform/PressGuard.h"
#include "platform/TextBox.h"

#include <QCoreApplication>
#include <QFrame>
#include <QPushButton>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {
// A press and release on `target` (its centre when `at` is null); pending events run after
// it, as the event loop runs them, but the clock does not move on.
void tap(QWidget *target, QPoint at = {})
{
    QTest::mouseClick(target, Qt::LeftButton, {}, at);
    QCoreApplication::processEvents();
}

void tapCell(FlexGrid *grid, int row, int col)
{
    tap(grid->viewport(), grid->visualRect(grid->model()->index(row, col)).center());
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
    QTest::addColumn<int>("scenario");
    QTest::addColumn<qint64>("afterMs");
    QTest::addColumn<bool>("acts");
    const char *scenarios[] = {"例文削除 in place of 例文追加", "selection screen over the board",
                               "board under the closing selection screen"};
    for (int s = 0; s < 3; ++s) {
        QTest::addRow("%s, just too soon", scenarios[s]) << s << PressGuard::kSettleMs - 1 << false;
        QTest::addRow("%s, settled", scenarios[s]) << s << PressGuard::kSettleMs << true;
    }
}

// A first press brings up a control; a second one `afterMs` later lands on it.
void tst_pressguard::secondPressOnWhatAppeared()
{
    QFETCH(int, scenario);
    QFETCH(qint64, afterMs);
    TalkFixture f;
    f.settings.values.insert(u"OPT1"_s, u"0"_s); // a board press opens the selection screen
    frmTalk &w = f.create();
    bool acted = false;
    if (scenario == 0) {
        w.txtTalk->setText(u"はい"_s);
        tap(w.cmdSampADD);
        f.clock.advance(afterMs);
        tap(w.cmdSampDel);
        acted = !f.asker.asked.isEmpty(); // the question before deleting
    } else if (scenario == 1) {
        tapCell(w.grdBoard, 0, 9);
        f.clock.advance(afterMs);
        tapCell(w.grdBoard2, 1, 1);
        acted = w.txtTalk->text() == u"あ_"_s;
    } else {
        tapCell(w.grdBoard, 0, 9);
        f.clock.advance(PressGuard::kSettleMs);
        tapCell(w.grdBoard2, 1, 1);
        f.clock.advance(afterMs);
        tapCell(w.grdBoard, 0, 8);
        acted = w.fraSet->isVisible();
    }
    QTEST(acted, "acts");
}

QTEST_MAIN(tst_pressguard)
#include "tst_pressguard.moc"
