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
// A press and release; pending events run after it, as the event loop runs them, but the
// clock does not move on.
void tap(QWidget *button)
{
    QTest::mouseClick(button, Qt::LeftButton);
    QCoreApplication::processEvents();
}

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
    QTest::addColumn<QString>("scenario");
    QTest::addColumn<qint64>("afterMs");
    QTest::addColumn<bool>("acts");
    const QStringList scenarios{u"例文削除 in place of 例文追加"_s, u"決定 over the caret pad"_s,
                                u"selection screen over the board"_s,
                                u"board under the closing selection screen"_s};
    for (const QString &s : scenarios) {
        QTest::addRow("%s, 150 ms", qPrintable(s)) << s << qint64(150) << false;
        QTest::addRow("%s, 300 ms", qPrintable(s)) << s << PressGuard::kSettleMs << true;
    }
}

// A first press brings up a control; a second one `afterMs` later lands on it.
void tst_pressguard::secondPressOnWhatAppeared()
{
    QFETCH(QString, scenario);
    QFETCH(qint64, afterMs);
    TalkFixture f;
    f.settings.values.insert(u"OPT1"_s, u"0"_s); // a board press opens the selection screen
    frmTalk &w = f.create();
    bool acted = false;
    if (scenario.startsWith(u"例文削除")) {
        w.txtTalk->setText(u"はい"_s);
        tap(w.cmdSampADD);
        f.clock.advance(afterMs);
        tap(w.cmdSampDel);
        acted = !f.asker.asked.isEmpty(); // the question before deleting
    } else if (scenario.startsWith(u"決定")) {
        tap(w.cmdSamp);
        f.clock.advance(afterMs);
        tap(w.cmdDec);
        acted = w.cmdSamp->text() == u"日記終了"_s; // the highlighted row opened the diary
    } else if (scenario.startsWith(u"selection")) {
        tapCell(w.grdBoard, 0, 9);
        f.clock.advance(afterMs);
        tapCell(w.grdBoard2, 1, 1);
        acted = w.txtTalk->text() == u"あ_"_s;
    } else {
        tapCell(w.grdBoard, 0, 9);
        f.clock.advance(PressGuard::kSettleMs);
        tapCell(w.grdBoard2, 1, 1);
        QVERIFY(!w.fraSet->isVisible());
        f.clock.advance(afterMs);
        tapCell(w.grdBoard, 0, 8);
        acted = w.fraSet->isVisible();
    }
    QTEST(acted, "acts");
}

QTEST_MAIN(tst_pressguard)
#include "tst_pressguard.moc"
