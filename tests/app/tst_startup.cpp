#include "TalkFixture.h"
#include "platform/DesignLayout.h"
#include "platform/FlexGrid.h"
#include "platform/TextBox.h"

#include <QPushButton>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

class tst_startup : public QObject
{
    Q_OBJECT

private slots:
    void firstStartShowsHiraganaBoard();
    void storedMojiEnlargesText();
    void controlsVisibleAtStart();
    void keyCyclesSets();
    void fifteenColumns();
};

void tst_startup::firstStartShowsHiraganaBoard()
{
    TalkFixture f;
    frmTalk &w = f.create();
    QCOMPARE(w.windowTitle(), u"PakoTalk!  Ver 1.3"_s);
    QCOMPARE(w.txtTalk->text(), QString());
    QCOMPARE(DesignLayout::fontPoints(w.txtTalk), 55.0);
    QCOMPARE(w.cmdKey->text(), u"ひら"_s);
    QCOMPARE(w.grdBoard->cols(), 10);
    QCOMPARE(w.grdBoard->rows(), 5);
    QCOMPARE(w.grdBoard->textMatrix(0, 9), u"あ"_s);
    QCOMPARE(w.grdBoard->textMatrix(0, 0), u"わ"_s);
    QCOMPARE(w.grdBoard->textMatrix(4, 2), u"？"_s);
    QCOMPARE(w.grdBoard->colWidth(0), 1530);
    QVERIFY(!f.busy.isBusy());
}

void tst_startup::storedMojiEnlargesText()
{
    TalkFixture f;
    f.settings.values.insert(u"Moji"_s, u"1"_s);
    frmTalk &w = f.create();
    QCOMPARE(DesignLayout::fontPoints(w.txtTalk), 100.0);
}

void tst_startup::controlsVisibleAtStart()
{
    TalkFixture f;
    frmTalk &w = f.create();
    for (QWidget *shown : {static_cast<QWidget *>(w.grdBoard), static_cast<QWidget *>(w.fraText),
                           static_cast<QWidget *>(w.fraRes), static_cast<QWidget *>(w.cmdSamp),
                           static_cast<QWidget *>(w.cmdSampADD), static_cast<QWidget *>(w.cmdKey),
                           static_cast<QWidget *>(w.cmdRead), static_cast<QWidget *>(w.cmdEnd),
                           static_cast<QWidget *>(w.cmdOpt)})
        QVERIFY2(shown->isVisible(), qPrintable(shown->objectName()));
    for (const char *hidden :
         {"grdSp", "fraSet", "grdEx", "grdDay", "fraDay", "fraTalk", "cmdSampDel", "txtHide"}) {
        QWidget *c = w.findChild<QWidget *>(QString::fromLatin1(hidden));
        QVERIFY2(c, hidden);
        QVERIFY2(!c->isVisible(), hidden);
    }
    for (int i = 0; i < 5; ++i)
        QVERIFY(w.findChild<QPushButton *>(u"cmdRes_%1"_s.arg(i)));
}

void tst_startup::keyCyclesSets()
{
    TalkFixture f;
    frmTalk &w = f.create();
    f.click("cmdKey");
    QCOMPARE(w.cmdKey->text(), u"カタ"_s);
    QCOMPARE(w.grdBoard->textMatrix(0, 9), u"ア"_s);
    f.click("cmdKey");
    QCOMPARE(w.cmdKey->text(), u"英数"_s);
    QCOMPARE(w.grdBoard->textMatrix(4, 8), u"(^_^)"_s);
    QCOMPARE(w.grdBoard->textMatrix(0, 0), u"1"_s);
    f.click("cmdKey");
    QCOMPARE(w.cmdKey->text(), u"ひら"_s);
    QCOMPARE(f.beeper.count, 0);
}

void tst_startup::fifteenColumns()
{
    TalkFixture f;
    f.settings.values.insert(u"gMaxC"_s, u"14"_s);
    frmTalk &w = f.create();
    QCOMPARE(w.grdBoard->cols(), 15);
    QCOMPARE(w.grdBoard->colWidth(3), 1013);
    QCOMPARE(w.grdBoard->textMatrix(0, 14), u"あ"_s);
    QCOMPARE(w.grdBoard->textMatrix(0, 4), u"が"_s);
    QCOMPARE(w.grdBoard->textMatrix(0, 0), u"ぱ"_s);
    f.click("cmdKey");
    f.click("cmdKey");
    QCOMPARE(w.grdBoard->textMatrix(0, 12), QString());
    QCOMPARE(w.grdBoard->textMatrix(4, 9), u"(T_T)"_s);
}

QTEST_MAIN(tst_startup)
#include "tst_startup.moc"
