#include "platform/FlexGrid.h"
#include "platform/Units.h"

#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTest>

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

class tst_flexgrid : public QObject
{
    Q_OBJECT

  private slots:
    void sortMatchesStableReference_data();
    void sortMatchesStableReference();
    void changesWithDrawingOffAreAnnouncedOnce();
    void formattingStaysInsideItsCells();
    void pressAndRelease_data();
    void pressAndRelease();
};

void tst_flexgrid::sortMatchesStableReference_data()
{
    QTest::addColumn<int>("order");
    QTest::addColumn<int>("colFrom");
    QTest::newRow("ascending, one column") << 7 << 1;
    QTest::newRow("descending, one column") << 8 << 1;
    QTest::newRow("ascending, two columns") << 7 << 0;
}

// Texts that share long beginnings, are short, differ in case, hold NUL or repeat: the cases
// a sort by code units that looks at the first characters first must still order exactly,
// and stably. Column 2 holds each row's first place; formatting moves with its row.
void tst_flexgrid::sortMatchesStableReference()
{
    QFETCH(int, order);
    QFETCH(int, colFrom);
    const QStringList pieces{u"あ"_s, u"ああ"_s, u"a"_s, u"B"_s, QString(QChar(0)), u"日記"_s, {}};
    QRandomGenerator random(7);
    FlexGrid g;
    g.setCols(3);
    g.setRows(500);
    std::vector<std::tuple<QString, QString, int>> rows;
    for (int r = 0; r < 500; ++r) {
        QString text;
        for (int n = random.bounded(6); n > 0; --n)
            text += pieces.at(random.bounded(pieces.size()));
        rows.emplace_back(QString::number(random.bounded(3)), text, r);
        g.setTextMatrix(r, 0, std::get<0>(rows.back()));
        g.setTextMatrix(r, 1, text);
        g.setTextMatrix(r, 2, QString::number(r));
        g.setRow(r);
        g.setCol(2);
        g.setCellBackColor(r % 7 == 0 ? Units::Colour::LightGreen : Units::Colour::White);
    }
    std::stable_sort(rows.begin(), rows.end(), [&](const auto &a, const auto &b) {
        int cmp = colFrom == 0 ? QString::compare(std::get<0>(a), std::get<0>(b)) : 0;
        if (cmp == 0)
            cmp = QString::compare(std::get<1>(a), std::get<1>(b));
        return order == 8 ? cmp > 0 : cmp < 0;
    });
    g.setCol(colFrom);
    g.setColSel(1);
    g.sort(order);
    for (int r = 0; r < 500; ++r) {
        const int id = std::get<2>(rows[r]);
        QCOMPARE(g.textMatrix(r, 2), QString::number(id));
        QCOMPARE(g.cellBackColor(r, 2),
                 id % 7 == 0 ? Units::Colour::LightGreen : Units::Colour::White);
    }
}

// Changes made with drawing off are announced once, as one range, when drawing is back on.
void tst_flexgrid::changesWithDrawingOffAreAnnouncedOnce()
{
    FlexGrid g;
    g.setCols(2);
    g.setRows(100);
    QSignalSpy changed(g.model(), &QAbstractItemModel::dataChanged);
    g.setRedraw(false);
    g.setTextMatrix(10, 1, u"x"_s);
    g.setTextMatrix(59, 0, u"x"_s);
    QCOMPARE(changed.count(), 0);
    g.setRedraw(true);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.at(0).at(0).toModelIndex().row(), 10);
    QCOMPARE(changed.at(0).at(1).toModelIndex().row(), 59);
}

// Formatting takes columns col..colSel of the current row; cells outside the grid take nothing
// and read as empty.
void tst_flexgrid::formattingStaysInsideItsCells()
{
    FlexGrid g;
    g.setRows(3);
    g.setCols(4);
    g.setRow(1);
    g.setCol(1);
    g.setColSel(2);
    g.setCellBackColor(Units::Colour::Silver);
    QCOMPARE(g.cellBackColor(1, 2), Units::Colour::Silver);
    QCOMPARE(g.cellBackColor(1, 3), Units::Colour::White);
    QCOMPARE(g.cellBackColor(0, 1), Units::Colour::White);
    g.setRows(1);
    QCOMPARE(g.row(), 0); // shrinking keeps the current cell inside
    g.setTextMatrix(5, 5, u"x"_s);
    QCOMPARE(g.textMatrix(5, 5), QString());
    g.setRow(7);
    g.setCellBackColor(Units::Colour::Grey);
    QCOMPARE(g.cellBackColor(0, 0), Units::Colour::White);
}

void tst_flexgrid::pressAndRelease_data()
{
    QTest::addColumn<QPoint>("press");
    QTest::addColumn<QPoint>("release");
    QTest::addColumn<int>("downs");
    QTest::addColumn<int>("clicks");
    QTest::addColumn<int>("col"); // the current column afterwards (it starts at 0)
    // Two columns 30 px wide and two rows 20 px high in a 200 x 100 grid.
    QTest::newRow("on a cell") << QPoint(45, 10) << QPoint(45, 10) << 1 << 1 << 1;
    QTest::newRow("released on another cell") << QPoint(45, 10) << QPoint(15, 30) << 1 << 1 << 1;
    QTest::newRow("below the rows") << QPoint(15, 80) << QPoint(15, 80) << 0 << 0 << 0;
    QTest::newRow("slid off beside the cells") << QPoint(45, 10) << QPoint(150, 10) << 1 << 0 << 1;
}

void tst_flexgrid::pressAndRelease()
{
    QFETCH(QPoint, press);
    QFETCH(QPoint, release);
    FlexGrid g;
    g.resize(200, 100);
    g.setRows(2);
    g.setCols(2);
    g.setColWidth(-1, qRound(Units::pixelsToTwips(30, 1.0)));
    g.setRowHeight(qRound(Units::pixelsToTwips(20, 1.0)));
    g.show();
    QVERIFY(QTest::qWaitForWindowExposed(&g));
    QSignalSpy downs(&g, &FlexGrid::mouseDown);
    QSignalSpy clicks(&g, &FlexGrid::clicked);

    QTest::mousePress(g.viewport(), Qt::LeftButton, {}, press);
    QTest::mouseRelease(g.viewport(), Qt::LeftButton, {}, release);

    QTEST(int(downs.count()), "downs");
    QTEST(int(clicks.count()), "clicks");
    QTEST(g.col(), "col");
}

QTEST_MAIN(tst_flexgrid)
#include "tst_flexgrid.moc"
