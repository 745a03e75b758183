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
    void closingOnKatakanaBoard_data();
    void closingOnKatakanaBoard();
    void storedValueKeptOrMended_data();
    void storedValueKeptOrMended();
    void settingsButtonOpensModalDialog();
    void unstoredSettingsAreTold();
};

void tst_options::opensOnEmptyStore()
{
    TalkFixture f;
    frmTalk &w = f.create();
    frmOPT d(w);
    QVERIFY(d.Option1[0]->isChecked() && d.Option2[0]->isChecked() && d.Option3[0]->isChecked());
    QVERIFY(d.chkSamp->isChecked());
    QCOMPARE(d.cmbSample->currentText(), u"２"_s);
    QVERIFY(!d.chkMaxC->isChecked() && !d.chkBeep->isChecked() && !d.chkMoji->isChecked());
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
    const QMap<QString, QString> expected{
        {u"OPT1"_s, u"3"_s},   {u"OPT2"_s, u"1"_s}, {u"OPT3"_s, u"2"_s}, {u"Samp"_s, u"0"_s},
        {u"Sample"_s, u"5"_s}, {u"Beep"_s, u"1"_s}, {u"Moji"_s, u"1"_s}, {u"gMaxC"_s, u"14"_s}};
    QCOMPARE(f.settings.values, expected);
    QCOMPARE(f.state.gMaxC, 14);
    QCOMPARE(f.state.gSample, qint16(5));
    QCOMPARE(DesignLayout::fontPoints(w.txtTalk), 100.0);
    QCOMPARE(w.grdBoard->cols(), 15);
    QCOMPARE(w.grdBoard->textMatrix(0, 4), u"が"_s);
}

void tst_options::closingOnKatakanaBoard_data()
{
    QTest::addColumn<int>("button");
    QTest::addColumn<QString>("key");
    QTest::addColumn<int>("cols");
    QTest::addColumn<double>("points");
    QTest::newRow("confirm rebuilds the hiragana board") << 1 << u"ひら"_s << 15 << 100.0;
    QTest::newRow("cancel writes and changes nothing") << 0 << u"カタ"_s << 10 << 55.0;
}

void tst_options::closingOnKatakanaBoard()
{
    QFETCH(int, button);
    TalkFixture f;
    frmTalk &w = f.create();
    f.click("cmdKey");
    frmOPT d(w);
    d.chkMaxC->setChecked(true);
    d.chkMoji->setChecked(true);
    QTest::mouseClick(d.cmdOK[button], Qt::LeftButton);
    QCOMPARE(f.settings.writes > 0, button == 1);
    QTEST(w.cmdKey->text(), "key");
    QTEST(w.grdBoard->cols(), "cols");
    QTEST(DesignLayout::fontPoints(w.txtTalk), "points");
}

void tst_options::storedValueKeptOrMended_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("saved");
    QTest::newRow("ten columns become nine") << u"gMaxC"_s << u"10"_s << u"9"_s;
    QTest::newRow("unknown group choice kept") << u"OPT3"_s << u"7"_s << u"7"_s;
}

void tst_options::storedValueKeptOrMended()
{
    QFETCH(QString, key);
    QFETCH(QString, stored);
    TalkFixture f;
    f.settings.values.insert(key, stored);
    frmTalk &w = f.create();
    frmOPT d(w);
    QVERIFY(!d.chkMaxC->isChecked());
    for (QRadioButton *b : d.Option3)
        QCOMPARE(b->isChecked(), key == u"gMaxC"_s && b == d.Option3[0]);
    d.cmdOK_Click(1);
    QTEST(f.settings.values.value(key), "saved");
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
