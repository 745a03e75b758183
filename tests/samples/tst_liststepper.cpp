#include "SampleHelpers.h"
#include "TalkFixture.h"
#include "platform/DesignLayout.h"
#include "platform/FlexGrid.h"
#include "platform/TextBox.h"

#include <QFrame>
#include <QPushButton>
#include <QTest>
#include <array>
#include <utility>

using namespace Qt::Literals::StringLiterals;
using namespace SampleHelpers;

namespace {
constexpr qint64 kGreen = 8454016;
constexpr qint64 kWhite = 16777215;

QStringList samples(int count)
{
    QStringList s;
    for (int i = 0; i < count; ++i)
        s.append(u"か%1"_s.arg(i, 2, 10, QChar(u'0')));
    return s;
}

QList<int> highlighted(const FlexGrid *g, int col)
{
    QList<int> rows;
    for (int r = 0; r < g->rows(); ++r)
        if (g->cellBackColor(r, col) == kGreen)
            rows.append(r);
    return rows;
}
} // namespace

class tst_liststepper : public QObject
{
    Q_OBJECT

  private:
    // Holds `button` down for `steps` pauses: the release arrives at the event handling
    // that follows the last of them.
    void hold(TalkFixture &f, QPushButton *button, int steps);

  private slots:
    void pressColours();
    void step_data();
    void step();
    void predictionsComeFirstAndKeepTheirTopRow();
    void releaseStopsAfterThePause_data();
    void releaseStopsAfterThePause();
    void noListOnlyKeepsTheFocus();
};

void tst_liststepper::hold(TalkFixture &f, QPushButton *button, int steps)
{
    bool released = false;
    f.events.beforeYield = [&] {
        if (released || f.clock.waits.size() < steps)
            return;
        released = true;
        QTest::mouseRelease(button, Qt::LeftButton);
    };
    f.clock.waits.clear();
    QTest::mousePress(button, Qt::LeftButton);
    if (!released)
        QTest::mouseRelease(button, Qt::LeftButton);
    f.events.beforeYield = nullptr;
}

void tst_liststepper::pressColours()
{
    TalkFixture f;
    frmTalk &w = f.create();
    const std::pair<QPushButton *, std::array<qint64, 2>> buttons[] = {
        {w.cmdUp, {49152, 12648384}}, {w.cmdDown, {32768, 8454016}}};
    for (const auto &[button, colours] : buttons) {
        qint64 heldColour = -1;
        bool heldFlag = false;
        f.clock.duringWait = [&, b = button] {
            heldColour = DesignLayout::backColour(b);
            heldFlag = w.mKeyHeld;
        };
        hold(f, button, 1);
        QCOMPARE(heldColour, colours[0]);
        QVERIFY(heldFlag);
        QCOMPARE(DesignLayout::backColour(button), colours[1]);
        QVERIFY(!w.mKeyHeld);
    }
}

void tst_liststepper::step_data()
{
    QTest::addColumn<int>("count");    // samples in the list
    QTest::addColumn<int>("clickRow"); // 0: none clicked
    QTest::addColumn<int>("topRow");   // -1: as shown
    QTest::addColumn<bool>("down");
    QTest::addColumn<int>("presses");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("top");
    QTest::newRow("down twice keeps the top") << 19 << 0 << -1 << true << 2 << 2 << 0;
    QTest::newRow("down under the third row scrolls") << 19 << 0 << -1 << true << 3 << 3 << 1;
    QTest::newRow("up scrolls back first") << 29 << 7 << 5 << false << 1 << 6 << 4;
    QTest::newRow("up at the top") << 2 << 0 << -1 << false << 1 << 0 << 0;
    QTest::newRow("down at the end") << 2 << 2 << -1 << true << 1 << 2 << 0;
}

void tst_liststepper::step()
{
    QFETCH(int, count);
    QFETCH(int, clickRow);
    QFETCH(int, topRow);
    QFETCH(bool, down);
    QFETCH(int, presses);
    QFETCH(int, row);
    TalkFixture f;
    writeSamples(f, samples(count));
    frmTalk &w = f.create();
    f.click("cmdSamp");
    QCOMPARE(w.grdEx->rows(), count + 1);
    if (clickRow > 0)
        f.clickCell("grdEx", clickRow, 1);
    if (topRow >= 0)
        w.grdEx->setTopRow(topRow);
    const int before = w.state().gListRow;
    for (int i = 0; i < presses; ++i)
        hold(f, down ? w.cmdDown : w.cmdUp, 1);
    QCOMPARE(w.state().gListRow, row);
    QCOMPARE(highlighted(w.grdEx, 1), QList<int>{row});
    QTEST(w.grdEx->topRow(), "top");
    QCOMPARE(w.grdEx->row(), row);
    QCOMPARE(f.clock.waits, row == before ? QList<qint64>() : QList<qint64>{230});
    QCOMPARE(w.grdEx->cellBackColor(row, 0), kWhite);
    QVERIFY(w.txtTalk->hasFocus());
    QVERIFY(!w.mKeyHeld);
}

void tst_liststepper::predictionsComeFirstAndKeepTheirTopRow()
{
    TalkFixture f;
    writeSamples(f, samples(5));
    frmTalk &w = f.create();
    f.click("cmdSamp");
    FlexGrid &sp = *w.grdSp;
    DesignLayout::place(&sp, DesignLayout::rect(w.grdBoard));
    sp.setRows(0);
    sp.setCols(2);
    for (int i = 0; i < 30; ++i)
        sp.appendRow(1, u"予測%1"_s.arg(i));
    sp.show();
    w.state().gListRow = 3;
    sp.setTopRow(1);
    hold(f, w.cmdUp, 3);
    QCOMPARE(w.state().gListRow, 0);
    QCOMPARE(highlighted(&sp, 0), QList<int>{0});
    QCOMPARE(highlighted(&sp, 1), QList<int>{0});
    QCOMPARE(sp.topRow(), 1);
    QCOMPARE(highlighted(w.grdEx, 1), QList<int>{0}); // the sample list is untouched
    hold(f, w.cmdDown, 1);
    QCOMPARE(highlighted(&sp, 0), QList<int>{1});
}

void tst_liststepper::releaseStopsAfterThePause_data()
{
    QTest::addColumn<qint64>("releaseAtMs");
    QTest::addColumn<int>("fewestRows");
    QTest::addColumn<int>("mostRows");
    QTest::newRow("during the first pause") << qint64(0) << 1 << 1;
    QTest::newRow("after one second") << qint64(1000) << 4 << 5;
}

void tst_liststepper::releaseStopsAfterThePause()
{
    QFETCH(qint64, releaseAtMs);
    QFETCH(int, fewestRows);
    QFETCH(int, mostRows);
    TalkFixture f;
    writeSamples(f, samples(20));
    frmTalk &w = f.create();
    f.click("cmdSamp");
    QPushButton *down = w.cmdDown;
    const qint64 start = f.clock.nowMs();
    bool queued = false;
    // The release is queued during the pause that spans its moment; it arrives afterwards.
    f.clock.duringWait = [&] {
        if (queued || f.clock.nowMs() + 230 - start < releaseAtMs)
            return;
        queued = true;
        QMetaObject::invokeMethod(
            down, [down] { QTest::mouseRelease(down, Qt::LeftButton); }, Qt::QueuedConnection);
    };
    f.clock.waits.clear();
    QTest::mousePress(down, Qt::LeftButton);
    const int row = w.state().gListRow;
    QVERIFY2(row >= fewestRows && row <= mostRows, qPrintable(QString::number(row)));
    QCOMPARE(f.clock.waits.size(), row);
    QVERIFY(!w.mKeyHeld);
}

void tst_liststepper::noListOnlyKeepsTheFocus()
{
    TalkFixture f;
    frmTalk &w = f.create();
    w.state().gListRow = 2;
    hold(f, w.cmdDown, 3);
    QCOMPARE(f.clock.waits.size(), 3);
    QCOMPARE(w.state().gListRow, 2);
    QVERIFY(w.txtTalk->hasFocus());
}

QTEST_MAIN(tst_liststepper)
#include "tst_liststepper.moc"
