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
    QList<QStringList> rows; // group, text, first place
    for (int r = 0; r < 500; ++r) {
        QString text;
        for (int n = random.bounded(6); n > 0; --n)
            text += pieces.at(random.bounded(pieces.size()));
        rows.append({QString::number(random.bounded(3)), text, QString::number(r)});
        for (int c = 0; c < 3; ++c)
            g.setTextMatrix(r, c, rows.last().at(c));
        g.setRow(r);
        g.setCol(2);
        g.setCellBackColor(r % 7 == 0 ? Units::Colour::LightGreen : Units::Colour::White);
    }
    std::stable_sort(rows.begin(), rows.end(), [&](const QStringList &a, const QStringList &b) {
        const int by = colFrom == 0 && a[0] != b[0] ? 0 : 1;
        const int cmp = QString::compare(a[by], b[by]);
        return order == 8 ? cmp > 0 : cmp < 0;
    });
    g.setCol(colFrom);
    g.setColSel(1);
    g.sort(order);
    for (int r = 0; r < 500; ++r) {
        QCOMPARE(g.textMatrix(r, 2), rows[r][2]);
        QCOMPARE(g.cellBackColor(r, 2),
                 rows[r][2].toInt() % 7 == 0 ? Units::Colour::LightGreen : Units::Colour::White);
    }
}

void tst_flexgrid::pressAndRelease_data()
{
    QTest::addColumn<QPoint>("press");
    QTest::addColumn<QPoint>("release");
    QTest::addColumn<int>("downs");
    QTest::addColumn<int>("clicks");
    // Two columns 30 px wide and two rows 20 px high in a 200 x 100 grid.
    QTest::newRow("on a cell") << QPoint(45, 10) << QPoint(45, 10) << 1 << 1;
    QTest::newRow("below the rows") << QPoint(15, 80) << QPoint(15, 80) << 0 << 0;
    QTest::newRow("slid off beside the cells") << QPoint(45, 10) << QPoint(150, 10) << 1 << 0;
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
    QCOMPARE(g.col(), downs.isEmpty() ? 0 : 1); // a press on a cell makes it current
}

QTEST_MAIN(tst_flexgrid)
#include "tst_flexgrid.moc"
