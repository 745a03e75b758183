#include "platform/FlexGrid.h"
#include "platform/Units.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;

class tst_flexgrid : public QObject
{
    Q_OBJECT

private slots:
    void sortByCodeUnits_data();
    void sortByCodeUnits();
    void descendingSortKeepsRowsTogether();
    void formattingAppliesToSelection();
    void outOfRangeCellsAreHarmless();
    void shrinkingKeepsCurrentCellInside();
};

void tst_flexgrid::sortByCodeUnits_data()
{
    QTest::addColumn<QStringList>("input");
    QTest::addColumn<QStringList>("sorted");
    QTest::newRow("prefix first") << QStringList{u"あさ"_s, u"あ"_s} << QStringList{u"あ"_s, u"あさ"_s};
    QTest::newRow("case-sensitive") << QStringList{u"b"_s, u"B"_s, u"a"_s}
                                    << QStringList{u"B"_s, u"a"_s, u"b"_s};
    QTest::newRow("digits and kana")
        << QStringList{u"あさ"_s, u"1時"_s, u"OK"_s} << QStringList{u"1時"_s, u"OK"_s, u"あさ"_s};
    QTest::newRow("placeholder between ああ and あい")
        << QStringList{u"あい"_s, u"ああああ日記ダミー消さないでね！"_s, u"ああ"_s}
        << QStringList{u"ああ"_s, u"ああああ日記ダミー消さないでね！"_s, u"あい"_s};
}

void tst_flexgrid::sortByCodeUnits()
{
    QFETCH(QStringList, input);
    FlexGrid g;
    g.setCols(2);
    for (const QString &s : input)
        g.appendRow(1, s);
    g.setCol(1);
    g.sort(7);
    QStringList got;
    for (int r = 0; r < g.rows(); ++r)
        got << g.textMatrix(r, 1);
    QTEST(got, "sorted");
}

void tst_flexgrid::descendingSortKeepsRowsTogether()
{
    FlexGrid g;
    g.setCols(2);
    g.setRows(3);
    const QStringList stamps{u"04.06.09"_s, u"26.12.07"_s, u"99.01.01"_s};
    for (int r = 0; r < 3; ++r) {
        g.setTextMatrix(r, 0, stamps[r]);
        g.setTextMatrix(r, 1, u"t"_s + stamps[r]);
    }
    g.setRow(0);
    g.setCol(1);
    g.setCellBackColor(Units::Colour::LightGreen);
    g.setCol(0);
    g.sort(8);
    QCOMPARE(g.textMatrix(0, 0), u"99.01.01"_s);
    QCOMPARE(g.textMatrix(2, 1), u"t04.06.09"_s);
    QCOMPARE(g.cellBackColor(2, 1), Units::Colour::LightGreen);
}

void tst_flexgrid::formattingAppliesToSelection()
{
    FlexGrid g;
    g.setRows(2);
    g.setCols(4);
    g.setRow(1);
    g.setCol(1);
    g.setColSel(3);
    g.setCellBackColor(Units::Colour::Silver);
    g.setCellAlignment(5);
    QCOMPARE(g.cellBackColor(1, 0), Units::Colour::White);
    QCOMPARE(g.cellBackColor(1, 1), Units::Colour::Silver);
    QCOMPARE(g.cellBackColor(1, 3), Units::Colour::Silver);
    QCOMPARE(g.cellBackColor(0, 2), Units::Colour::White);
    QCOMPARE(g.cellAlignment(1, 2), 5);
    g.setCol(2); // a new column selects that cell alone
    g.setCellBackColor(Units::Colour::Grey);
    QCOMPARE(g.cellBackColor(1, 3), Units::Colour::Silver);
    QCOMPARE(g.cellBackColor(1, 2), Units::Colour::Grey);
    g.setColWidth(-1, 1530);
    QCOMPARE(g.colWidth(0), 1530);
    QCOMPARE(g.colWidth(3), 1530);
}

void tst_flexgrid::outOfRangeCellsAreHarmless()
{
    FlexGrid g;
    g.setRows(1);
    g.setCols(1);
    g.setTextMatrix(5, 5, u"x"_s);
    QCOMPARE(g.textMatrix(5, 5), QString());
    QCOMPARE(g.textMatrix(-1, 0), QString());
    g.setRow(7);
    g.setCellBackColor(Units::Colour::Grey);
    QCOMPARE(g.cellBackColor(0, 0), Units::Colour::White);
}

void tst_flexgrid::shrinkingKeepsCurrentCellInside()
{
    FlexGrid g;
    g.setCols(2);
    g.setRows(10);
    g.setRow(9);
    g.setRows(0);
    g.setRows(3);
    QVERIFY(g.row() < 3);
    QCOMPARE(g.textMatrix(2, 1), QString());
}

QTEST_MAIN(tst_flexgrid)
#include "tst_flexgrid.moc"
