#include "TalkFixture.h"
#include "app/frmOPT.h"
#include "platform/DesignLayout.h"
#include "platform/FlexGrid.h"
#include "platform/TextBox.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

using namespace Qt::Literals::StringLiterals;

class tst_options : public QObject
{
    Q_OBJECT

private slots:
    void opensOnEmptyStore();
    void confirmStoresEveryKey();
    void confirmRebuildsHiraganaBoard();
    void cancelWritesNothing();
    void storedTenBecomesNine();
    void outOfRangeGroupLeftAlone();
    void settingsButtonOpensModalDialog();
    void unstoredSettingsAreTold();
};

void tst_options::opensOnEmptyStore()
{
    TalkFixture f;
    frmTalk &w = f.create();
    frmOPT d(w);
    QCOMPARE(d.windowTitle(), u"オプション"_s);
    QVERIFY(d.Option1[0]->isChecked());
    QCOMPARE(d.Option1[0]->text(), u"１回クリックで文字選択画面へ"_s);
    QVERIFY(d.Option2[0]->isChecked());
    QCOMPARE(d.Option2[0]->text(), u"１回クリックで文字入力"_s);
    QVERIFY(d.Option3[0]->isChecked());
    QCOMPARE(d.Option3[0]->text(), u"毎回声を出す"_s);
    QVERIFY(d.chkSamp->isChecked());
    QCOMPARE(d.cmbSample->currentText(), u"２"_s);
    QVERIFY(!d.chkMaxC->isChecked());
    QVERIFY(!d.chkBeep->isChecked());
    QVERIFY(!d.chkMoji->isChecked());
    QVERIFY(d.findChild<QPushButton *>(u"cmdOK_1"_s));
    // Screen order of the first group: index 2 on top.
    QVERIFY(DesignLayout::rect(d.Option1[2]).top() < DesignLayout::rect(d.Option1[0]).top());
}

void tst_options::confirmStoresEveryKey()
{
    TalkFixture f;
    frmTalk &w = f.create();
    frmOPT d(w);
    d.Option1[3]->setChecked(true);
    d.Option2[1]->setChecked(true);
    d.Option3[2]->setChecked(true);
    d.chkSamp->setChecked(false);
    d.cmbSample->setCurrentIndex(4);
    d.chkBeep->setChecked(true);
    d.chkMoji->setChecked(true);
    d.chkMaxC->setChecked(true);
    QTest::mouseClick(d.cmdOK[1], Qt::LeftButton);
    const QMap<QString, QString> expected{{u"OPT1"_s, u"3"_s}, {u"OPT2"_s, u"1"_s},
                                          {u"OPT3"_s, u"2"_s}, {u"Samp"_s, u"0"_s},
                                          {u"Sample"_s, u"5"_s}, {u"Beep"_s, u"1"_s},
                                          {u"Moji"_s, u"1"_s}, {u"gMaxC"_s, u"14"_s}};
    QCOMPARE(f.settings.values, expected);
    QCOMPARE(f.state.gMaxC, 14);
    QCOMPARE(f.state.gSample, qint16(5));
    QCOMPARE(DesignLayout::fontPoints(w.txtTalk), 100.0);
    QCOMPARE(w.grdBoard->cols(), 15);
    QCOMPARE(w.grdBoard->textMatrix(0, 4), u"が"_s);
}

void tst_options::confirmRebuildsHiraganaBoard()
{
    TalkFixture f;
    frmTalk &w = f.create();
    f.click("cmdKey");
    QCOMPARE(w.cmdKey->text(), u"カタ"_s);
    frmOPT d(w);
    d.cmdOK_Click(1);
    QCOMPARE(w.cmdKey->text(), u"ひら"_s);
    QCOMPARE(w.grdBoard->textMatrix(0, 9), u"あ"_s);
    QCOMPARE(DesignLayout::fontPoints(w.txtTalk), 55.0);
}

void tst_options::cancelWritesNothing()
{
    TalkFixture f;
    frmTalk &w = f.create();
    f.click("cmdKey");
    frmOPT d(w);
    d.chkMaxC->setChecked(true);
    d.chkMoji->setChecked(true);
    QTest::mouseClick(d.cmdOK[0], Qt::LeftButton);
    QCOMPARE(f.settings.writes, 0);
    QCOMPARE(w.cmdKey->text(), u"カタ"_s);
    QCOMPARE(w.grdBoard->cols(), 10);
}

void tst_options::storedTenBecomesNine()
{
    TalkFixture f;
    f.settings.values.insert(u"gMaxC"_s, u"10"_s);
    frmTalk &w = f.create();
    frmOPT d(w);
    QVERIFY(!d.chkMaxC->isChecked());
    d.cmdOK_Click(1);
    QCOMPARE(f.settings.values.value(u"gMaxC"_s), u"9"_s);
}

void tst_options::outOfRangeGroupLeftAlone()
{
    TalkFixture f;
    f.settings.values.insert(u"OPT3"_s, u"7"_s);
    frmTalk &w = f.create();
    frmOPT d(w);
    for (QRadioButton *b : d.Option3)
        QVERIFY(!b->isChecked());
    d.cmdOK_Click(1);
    QCOMPARE(f.settings.values.value(u"OPT3"_s), u"7"_s);
    QCOMPARE(f.settings.values.value(u"OPT1"_s), u"0"_s);
}

void tst_options::settingsButtonOpensModalDialog()
{
    TalkFixture f;
    f.create();
    bool seen = false;
    QTimer::singleShot(0, [&] {
        auto *d = qobject_cast<frmOPT *>(QApplication::activeModalWidget());
        seen = d != nullptr;
        if (d)
            d->cmdOK_Click(0);
    });
    f.click("cmdOpt");
    QVERIFY(seen);
    QCOMPARE(f.settings.writes, 0);
}

void tst_options::unstoredSettingsAreTold()
{
    TalkFixture f;
    f.settings.refuseToStore = true;
    frmTalk &w = f.create();
    frmOPT d(w);
    d.chkMaxC->setChecked(true);
    QTest::mouseClick(d.cmdOK[1], Qt::LeftButton);
    // Applied all the same, and told.
    QCOMPARE(f.state.gMaxC, 14);
    QCOMPARE(f.asker.asked.size(), 1);
    QCOMPARE(f.asker.asked[0].prompt.section(u'\n', 0, 0), u"設定を保存できませんでした。"_s);
}

QTEST_MAIN(tst_options)
#include "tst_options.moc"
