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
    void scaledLikeTheMainWindow();
    void askUserResetsPointerAndAnswer();
};

void tst_frmok::kinds_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("before"); // the kind asked first and answered, -1 none
    QTest::addColumn<int>("press");  // button index, -1 the close box
    QTest::addColumn<bool>("answer");
    QTest::addColumn<QString>("left");
    QTest::addColumn<int>("leftPlace");
    QTest::addColumn<QString>("right"); // empty: hidden
    QTest::newRow("notice OK") << 48 << -1 << 0 << true << u"OK"_s << 3500 << QString();
    QTest::newRow("notice closed") << 48 << -1 << -1 << false << u"OK"_s << 3500 << QString();
    QTest::newRow("YES") << 36 << -1 << 0 << true << u"ＹＥＳ"_s << 300 << u"ＮＯ"_s;
    QTest::newRow("NO") << 36 << -1 << 1 << false << u"ＹＥＳ"_s << 300 << u"ＮＯ"_s;
    QTest::newRow("yes/no closed") << 36 << -1 << -1 << false << u"ＹＥＳ"_s << 300 << u"ＮＯ"_s;
    QTest::newRow("OK") << 33 << -1 << 0 << true << u"ＯＫ"_s << 300 << u"キャンセル"_s;
    QTest::newRow("cancel") << 33 << -1 << 1 << false << u"ＯＫ"_s << 300 << u"キャンセル"_s;
    QTest::newRow("notice after yes/no: its own caption")
        << 48 << 36 << 0 << true << u"OK"_s << 3500 << QString();
    QTest::newRow("other kind") << 0 << -1 << -1 << false << u"OK"_s << 300 << u"キャンセル"_s;
}

void tst_frmok::kinds()
{
    QFETCH(int, press);
    QFETCH(QString, right);
    QFETCH(int, before);
    FrmOkAsker asker;
    if (before >= 0) {
        whenShown([](frmOK &d) { QTest::mouseClick(d.cmdOK[0], Qt::LeftButton); });
        asker.ask(u"日記を登録して終了します"_s, before, u"日記の終了"_s, nullptr);
    }
    QStringList seen;
    int seenPlace = -1;
    whenShown([&](frmOK &d) {
        seen = QStringList{d.windowTitle(), d.lblOK->text(), d.cmdOK[0]->text()};
        if (d.cmdOK[1]->isVisible())
            seen.append(d.cmdOK[1]->text());
        seenPlace = DesignLayout::rect(d.cmdOK[0]).left();
        if (press < 0)
            d.close();
        else
            QTest::mouseClick(d.cmdOK[press], Qt::LeftButton);
    });
    QFETCH(int, kind);
    QTEST(asker.ask(u"上記例文を削除してもいいですか？"_s, kind, u"例文の削除"_s, nullptr),
          "answer");
    QFETCH(QString, left);
    QStringList expected{u"例文の削除"_s, u"上記例文を削除してもいいですか？"_s, left};
    if (!right.isEmpty())
        expected.append(right);
    QCOMPARE(seen, expected);
    QTEST(seenPlace, "leftPlace");
    QVERIFY(!QApplication::activeModalWidget());
}

void tst_frmok::scaledLikeTheMainWindow()
{
    TalkFixture f;
    frmTalk &w = f.create();
    DesignLayout::setScale(&w, 0.5);
    frmOK dialog(&w);
    // Design colours are 0x00BBGGRR: the window is blue, not red.
    QCOMPARE(dialog.palette().color(QPalette::Window), QColor(0x80, 0x80, 0xFF));
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
    f.asker.answers = {true};
    AskUser(w, u"はじめからでよろしいですか？"_s, 33, u"例文登録"_s);
    QVERIFY(w.state().gAnswer);
}

QTEST_MAIN(tst_frmok)
#include "tst_frmok.moc"
