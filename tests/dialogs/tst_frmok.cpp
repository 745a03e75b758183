#include "TalkFixture.h"
#include "dialogs/AskUser.h"
#include "dialogs/FrmOkAsker.h"
#include "dialogs/frmOK.h"
#include "platform/DesignLayout.h"
#include "platform/Units.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>

using namespace Qt::Literals::StringLiterals;

namespace {
// Runs `act` on the question window once it is shown modally.
void whenShown(std::function<void(frmOK &)> act)
{
    QTimer::singleShot(0, qApp, [act] {
        auto *dialog = qobject_cast<frmOK *>(QApplication::activeModalWidget());
        if (!dialog) {
            qWarning("no question window is shown");
            return;
        }
        act(*dialog);
    });
}
} // namespace

class tst_frmok : public QObject
{
    Q_OBJECT

  private slots:
    void kinds_data();
    void kinds();
    void answers_data();
    void answers();
    void noticeAfterYesNoShowsDesignCaption();
    void scaledLikeTheMainWindow();
    void askUserResetsPointerAndAnswer();
};

void tst_frmok::kinds_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("left");
    QTest::addColumn<int>("leftPlace");
    QTest::addColumn<QString>("right"); // empty: hidden
    QTest::newRow("notice") << 48 << u"OK"_s << 3500 << QString();
    QTest::newRow("yes/no") << 36 << u"ＹＥＳ"_s << 300 << u"ＮＯ"_s;
    QTest::newRow("ok/cancel") << 33 << u"ＯＫ"_s << 300 << u"キャンセル"_s;
    QTest::newRow("other") << 0 << u"OK"_s << 300 << u"キャンセル"_s;
}

void tst_frmok::kinds()
{
    QFETCH(int, kind);
    QFETCH(QString, left);
    QFETCH(int, leftPlace);
    QFETCH(QString, right);
    frmOK dialog;
    QString seenLeft, seenRight, seenTitle, seenPrompt;
    int seenPlace = -1;
    bool rightShown = false;
    whenShown([&](frmOK &d) {
        seenTitle = d.windowTitle();
        seenPrompt = d.lblOK->text();
        seenLeft = d.cmdOK[0]->text();
        seenPlace = DesignLayout::rect(d.cmdOK[0]).left();
        rightShown = d.cmdOK[1]->isVisible();
        seenRight = d.cmdOK[1]->text();
        d.close();
    });
    QVERIFY(!dialog.ask(u"上記例文を削除してもいいですか？"_s, kind, u"例文の削除"_s));
    QCOMPARE(seenTitle, u"例文の削除"_s);
    QCOMPARE(seenPrompt, u"上記例文を削除してもいいですか？"_s);
    QCOMPARE(seenLeft, left);
    QCOMPARE(seenPlace, leftPlace);
    QCOMPARE(rightShown, !right.isEmpty());
    if (rightShown)
        QCOMPARE(seenRight, right);
}

void tst_frmok::answers_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("press"); // button index, -1 the close box
    QTest::addColumn<bool>("answer");
    QTest::newRow("notice OK") << 48 << 0 << true;
    QTest::newRow("notice closed") << 48 << -1 << false;
    QTest::newRow("YES") << 36 << 0 << true;
    QTest::newRow("NO") << 36 << 1 << false;
    QTest::newRow("yes/no closed") << 36 << -1 << false;
    QTest::newRow("cancel") << 33 << 1 << false;
}

void tst_frmok::answers()
{
    QFETCH(int, kind);
    QFETCH(int, press);
    QFETCH(bool, answer);
    FrmOkAsker asker;
    whenShown([press](frmOK &d) {
        if (press < 0)
            d.close();
        else
            QTest::mouseClick(d.cmdOK[press], Qt::LeftButton);
    });
    QCOMPARE(asker.ask(u"日記を登録して終了します"_s, kind, u"日記の終了"_s, nullptr), answer);
    QVERIFY(!QApplication::activeModalWidget());
}

void tst_frmok::noticeAfterYesNoShowsDesignCaption()
{
    FrmOkAsker asker;
    whenShown([](frmOK &d) { QTest::mouseClick(d.cmdOK[0], Qt::LeftButton); });
    QVERIFY(asker.ask(u"日記を登録して終了します"_s, 36, u"日記の終了"_s, nullptr));
    QString caption;
    bool rightShown = true;
    whenShown([&](frmOK &d) {
        caption = d.cmdOK[0]->text();
        rightShown = d.cmdOK[1]->isVisible();
        QTest::mouseClick(d.cmdOK[0], Qt::LeftButton);
    });
    QVERIFY(asker.ask(u"同一文が登録されています"_s, 48, u"例文登録"_s, nullptr));
    QCOMPARE(caption, u"OK"_s);
    QVERIFY(!rightShown);
}

void tst_frmok::scaledLikeTheMainWindow()
{
    TalkFixture f;
    frmTalk &w = f.create();
    DesignLayout::setScale(&w, 0.5);
    frmOK dialog(&w);
    QCOMPARE(dialog.width(), Units::twipsToPixels(11775, 0.5));
    QCOMPARE(dialog.cmdOK[0]->width(), Units::twipsToPixels(4845, 0.5));
}

void tst_frmok::askUserResetsPointerAndAnswer()
{
    TalkFixture f;
    frmTalk &w = f.create();
    f.busy.setBusy(true);
    w.state().gAnswer = true;
    AskUser(w, u"はじめからでよろしいですか？"_s, 33, u"例文登録"_s);
    QVERIFY(!f.busy.isBusy());
    QVERIFY(!w.state().gAnswer); // no scripted answer: the close box
    QCOMPARE(f.asker.asked.size(), 1);
    QCOMPARE(f.asker.asked[0].kind, 33);
    QCOMPARE(f.asker.asked[0].title, u"例文登録"_s);
    f.asker.answers = {true};
    AskUser(w, u"はじめからでよろしいですか？"_s, 33, u"例文登録"_s);
    QVERIFY(w.state().gAnswer);
}

QTEST_MAIN(tst_frmok)
#include "tst_frmok.moc"
