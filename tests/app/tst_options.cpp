#include "TalkFixture.h"
#include "access/frmAccess.h"
#include "app/PredictOptions.h"
#include "app/PredictionParts.h"
#include "app/frmOPT.h"
#include "core/Settings.h"
#include "partner/PartnerView.h"
#include "platform/DesignLayout.h"
#include "platform/TextFile.h"
#include "predict/PredictSession.h"
#include "quick/Conversation.h"
#include "quick/QuickBand.h"
#include "quick/frmQuick.h"
#include "strip/PredictStrip.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>

using namespace Qt::Literals::StringLiterals;

using Stored = QMap<QString, QString>;

class tst_options : public QObject
{
    Q_OBJECT

  private slots:
    void storedTextsRead_data();
    void storedTextsRead();
    void storeThatCannotBeWrittenSaysSo();
    void closingOnKatakanaBoard_data();
    void closingOnKatakanaBoard();
    void unknownChoiceShownAndKept();
};

void tst_options::storedTextsRead_data()
{
    QTest::addColumn<QString>("stored"); // in every key; null: the store is empty
    QTest::addColumn<QString>("read");   // beep on, samples on, gMaxC, Sample
    QTest::newRow("defaults") << QString() << u"0 1 9 2"_s;
    QTest::newRow("one") << u"1"_s << u"1 1 9 1"_s;
    QTest::newRow("leading zero: not the beep text") << u"01"_s << u"0 1 9 1"_s;
    QTest::newRow("blank, digits, text") << u" 3x"_s << u"0 1 9 3"_s;
    QTest::newRow("negative") << u"-2"_s << u"0 1 9 1"_s;
    QTest::newRow("not a number") << u"abc"_s << u"0 0 9 1"_s;
    QTest::newRow("ten columns read as nine") << u"10"_s << u"0 1 9 5"_s;
    QTest::newRow("widest board") << u"29"_s << u"0 1 29 5"_s;
    QTest::newRow("just above the limits") << u"30"_s << u"0 1 29 5"_s;
    QTest::newRow("past the int range held") << u"4294967300"_s << u"0 1 29 5"_s;
}

void tst_options::storedTextsRead()
{
    QFETCH(QString, stored);
    MemorySettingsStore store;
    for (const char16_t *key : {u"Beep", u"Samp", u"gMaxC", u"Sample"})
        if (!stored.isNull())
            store.values.insert(QString::fromUtf16(key), stored);
    Options s;
    Settings::load(s, store);
    QTEST(u"%1 %2 %3 %4"_s.arg(int(s.beepOn())).arg(int(s.sampOn())).arg(s.gMaxC).arg(s.gSample),
          "read");
}

void tst_options::storeThatCannotBeWrittenSaysSo()
{
    QTemporaryDir dir;
    const QString conf = dir.filePath(u"Talk.conf"_s);
    QVERIFY(QDir().mkdir(conf));
    QtSettingsStore store(conf);
    store.write(u"Beep"_s, u"1"_s);
    QVERIFY(!store.sync());
    // Once the folder is gone, the next sync stores again.
    QVERIFY(QDir().rmdir(conf));
    store.write(u"Moji"_s, u"1"_s);
    QVERIFY(store.sync());
}

void tst_options::closingOnKatakanaBoard_data()
{
    QTest::addColumn<int>("button");
    QTest::addColumn<bool>("refuseToStore");
    QTest::addColumn<Stored>("stored");
    // The board switch's caption, the board's columns, the text's points, the questions asked
    // (forgetting the learned words, and failures told), the strip shown, the words learned.
    QTest::addColumn<QString>("shown");
    // Confirmed in "入力と声の設定" and in "よく使う答え…" on the way.
    QTest::addColumn<Stored>("access");
    QTest::addColumn<Stored>("predict");
    const Stored access{
        {u"ScanMode"_s, u"2"_s}, {u"DwellMode"_s, u"1"_s}, {u"DwellMs"_s, u"1250"_s}};
    const Stored everyKey{{u"OPT1"_s, u"3"_s}, {u"OPT2"_s, u"1"_s},   {u"OPT3"_s, u"2"_s},
                          {u"Samp"_s, u"0"_s}, {u"Sample"_s, u"5"_s}, {u"Beep"_s, u"1"_s},
                          {u"Moji"_s, u"1"_s}, {u"gMaxC"_s, u"14"_s}};
    const Stored predict{{u"Mode"_s, u"1"_s}, {u"Learn"_s, u"0"_s}};
    QTest::newRow("confirm stores every key and rebuilds the hiragana board")
        << 1 << false << everyKey << u"ひら 15 100 1 1 0"_s << access << predict;
    QTest::newRow("a store that refuses: applied all the same, and told")
        << 1 << true << everyKey << u"ひら 15 100 2 1 0"_s << access << predict;
    QTest::newRow("cancel writes and changes nothing")
        << 0 << false << Stored() << u"カタ 10 55 1 0 1"_s << Stored() << Stored();
}

// The dialog opened with "設定" while the katakana board is shown; every control changed, the
// quick answers turned on and the partner's view opened.
void tst_options::closingOnKatakanaBoard()
{
    QFETCH(int, button);
    QFETCH(bool, refuseToStore);
    TalkFixture f;
    f.settings.refuseToStore = refuseToStore;
    frmTalk &w = f.create();
    MemorySettingsStore accessStore, quick, partner;
    quick.refuseToStore = refuseToStore;
    w.installAccess(accessStore);
    w.installConversation(quick, partner);
    const QString learnedPath = w.services().folders.dataFile(u"learned.txt"_s);
    QVERIFY(TextFile::writeLines(learnedPath, {u"みずを\t3\t7\t0"_s}));
    MemorySettingsStore predictStore;
    predictStore.refuseToStore = refuseToStore;
    w.installPrediction(predictStore);
    f.asker.answers << true; // yes, forget the learned words
    f.click("cmdKey");
    // The options dialog says the access settings wait for its 確定; the quick answers wait too.
    bool noted = false;
    bool fits = false;
    QTimer::singleShot(0, [button, &noted, &fits, &w] {
        auto *d = qobject_cast<frmOPT *>(QApplication::activeModalWidget());
        QVERIFY(d);
        // It fits over the window, every control within it: a screen the window fits takes it.
        fits = d->width() <= w.width() && d->height() <= w.height();
        for (const QWidget *c : d->findChildren<QWidget *>())
            fits = fits && (!c->isVisibleTo(d) ||
                            d->rect().contains(QRect(c->mapTo(d, QPoint()), c->size())));
        // The whole rest is shown and set (1.5 s); 確定 there only holds it for this dialog.
        QTimer::singleShot(0, [] {
            auto *a = qobject_cast<frmAccess *>(QApplication::activeModalWidget());
            QVERIFY(a);
            QCOMPARE(a->spnDwell->value(), 1.25);
            a->cmbScanMode->setCurrentIndex(2);
            a->chkDwell->setChecked(true);
            a->spnDwell->setValue(1.5);
            QTest::mouseClick(a->cmdOK[1], Qt::LeftButton);
        });
        QTest::mouseClick(d->cmdAccess, Qt::LeftButton);
        noted = d->lblAccess->isVisible();
        QTimer::singleShot(0, [] {
            auto *q = qobject_cast<frmQuick *>(QApplication::activeModalWidget());
            QVERIFY(q);
            QCOMPARE(q->txtPhrase[2]->text(), u"ちょっとまって"_s);
            q->chkQuick->setChecked(true);
            q->txtPhrase[0]->setText(u" うん "_s);
            q->chkPartner->setChecked(true);
            QTest::mouseClick(q->findChild<QPushButton *>(u"cmdQuickOK"_s), Qt::LeftButton);
        });
        QTest::mouseClick(d->cmdQuick, Qt::LeftButton);
        noted = noted && !w.fraQuick->isVisibleTo(&w) && !w.conversation()->partner().isVisible();
        d->Option1[3]->setChecked(true);
        d->Option2[1]->setChecked(true);
        d->Option3[2]->setChecked(true);
        d->chkSamp->setChecked(false);
        d->cmbSample->setCurrentIndex(4);
        for (QCheckBox *on : {d->chkBeep, d->chkMoji, d->chkMaxC})
            on->setChecked(true);
        d->frmPredict->optPredict[1]->setChecked(true);
        d->frmPredict->chkLearn->setChecked(false);
        QTest::mouseClick(d->frmPredict->cmdForget, Qt::LeftButton);
        QTest::mouseClick(d->cmdOK[button], Qt::LeftButton);
    });
    f.click("cmdOpt");
    QVERIFY(noted && fits);
    QTEST(f.settings.values, "stored");
    // Chosen, the strip shows at once and reads the file, whose words were forgotten.
    PredictSession &session = w.prediction()->session();
    if (!w.strip()->isHidden())
        QTRY_VERIFY(session.ready());
    session.waitForSave();
    QTEST(u"%1 %2 %3 %4 %5 %6"_s.arg(w.cmdKey->text())
              .arg(w.grdBoard->cols())
              .arg(DesignLayout::fontPoints(w.txtTalk))
              .arg(f.asker.asked.size())
              .arg(int(!w.strip()->isHidden()))
              .arg(TextFile::readLines(learnedPath).lines.size()),
          "shown");
    QCOMPARE(session.learning(), button == 0);
    QTEST(predictStore.values, "predict");
    QFETCH(Stored, access);
    for (auto it = access.cbegin(); it != access.cend(); ++it)
        QCOMPARE(accessStore.values.value(it.key()), it.value());
    QCOMPARE(accessStore.writes > 0, !access.isEmpty());
    const bool confirmed = !access.isEmpty();
    QCOMPARE(quick.values.value(u"Phrases"_s).section(u'\n', 0, 0),
             confirmed ? u"うん"_s : QString());
    QCOMPARE(w.fraQuick->isVisibleTo(&w) ? w.fraQuick->buttons()[0]->text() : QString(),
             confirmed ? u"うん"_s : QString());
    QCOMPARE(w.conversation()->partner().isVisible(), confirmed);
    QCOMPARE(partner.values.value(u"On"_s), confirmed ? u"1"_s : QString());
}

// A stored choice outside its group shows the group with nothing on and stays as it is.
void tst_options::unknownChoiceShownAndKept()
{
    TalkFixture f;
    f.settings.values.insert(u"OPT3"_s, u"7"_s);
    frmTalk &w = f.create();
    frmOPT d(w, w.state().options, w.services(), w.voice(), w.access(), w.speech());
    // The other keys show their defaults.
    QVERIFY(d.Option1[0]->isChecked() && d.Option2[0]->isChecked() && d.chkSamp->isChecked());
    QCOMPARE(d.cmbSample->currentIndex(), 1);
    for (QRadioButton *b : d.Option3)
        QVERIFY(!b->isChecked());
    d.cmdOK_Click(1);
    QCOMPARE(f.settings.values.value(u"OPT3"_s), u"7"_s);
}

QTEST_MAIN(tst_options)
#include "tst_options.moc"
