#include "TalkFixture.h"
#include "platform/FlexGrid.h"
#include "platform/TextBox.h"

#include <QPushButton>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

class tst_startup : public QObject
{
    Q_OBJECT

  private slots:
    void firstStart();
    void boards_data();
    void boards();
};

void tst_startup::firstStart()
{
    TalkFixture f;
    frmTalk &w = f.create();
    QCOMPARE(w.txtTalk->text(), QString());
    QVERIFY(!f.busy.isBusy());
    for (const char *shown : {"grdBoard", "fraText", "fraRes", "cmdSamp", "cmdSampADD", "cmdKey",
                              "cmdRead", "cmdEnd", "cmdOpt", "cmdRes_0", "cmdRes_4"})
        QVERIFY2(w.findChild<QWidget *>(QString::fromLatin1(shown))->isVisible(), shown);
    for (const char *hidden :
         {"grdSp", "fraSet", "grdEx", "grdDay", "fraDay", "fraTalk", "cmdSampDel", "txtHide"})
        QVERIFY2(!w.findChild<QWidget *>(QString::fromLatin1(hidden))->isVisible(), hidden);
}

void tst_startup::boards_data()
{
    QTest::addColumn<QString>("maxC");
    QTest::addColumn<int>("keyPresses");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("colWidth");
    QTest::addColumn<QPoint>("cell"); // (col, row)
    QTest::addColumn<QString>("text");
    QTest::newRow("hiragana") << u"9"_s << 0 << u"ひら"_s << 1530 << QPoint(2, 4) << u"？"_s;
    QTest::newRow("katakana") << u"9"_s << 1 << u"カタ"_s << 1530 << QPoint(9, 0) << u"ア"_s;
    QTest::newRow("back to hiragana")
        << u"9"_s << 3 << u"ひら"_s << 1530 << QPoint(9, 0) << u"あ"_s;
    QTest::newRow("15 columns ぱ") << u"14"_s << 0 << u"ひら"_s << 1013 << QPoint(0, 0) << u"ぱ"_s;
    QTest::newRow("15 columns alphanumeric")
        << u"14"_s << 2 << u"英数"_s << 1013 << QPoint(12, 0) << QString();
}

void tst_startup::boards()
{
    QFETCH(QString, maxC);
    QFETCH(int, keyPresses);
    QFETCH(QPoint, cell);
    TalkFixture f;
    f.settings.values.insert(u"gMaxC"_s, maxC);
    frmTalk &w = f.create();
    for (int i = 0; i < keyPresses; ++i)
        f.click("cmdKey");
    QTEST(w.cmdKey->text(), "caption");
    QCOMPARE(w.grdBoard->cols(), maxC.toInt() + 1);
    QTEST(w.grdBoard->colWidth(0), "colWidth");
    QTEST(w.grdBoard->textMatrix(cell.y(), cell.x()), "text");
}

QTEST_MAIN(tst_startup)
#include "tst_startup.moc"
