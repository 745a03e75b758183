#include "dialogs/FrmOkAsker.h"
#include "dialogs/frmOK.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace Qt::Literals::StringLiterals;

class tst_frmok : public QObject
{
    Q_OBJECT

  private slots:
    void kinds_data();
    void kinds();
};

void tst_frmok::kinds_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("press"); // button index, -1 the close box
    QTest::addColumn<bool>("answer");
    QTest::addColumn<QStringList>("buttons"); // the captions shown
    QTest::newRow("notice OK") << 48 << 0 << true << QStringList{u"OK"_s};
    QTest::newRow("NO") << 36 << 1 << false << QStringList{u"ＹＥＳ"_s, u"ＮＯ"_s};
    QTest::newRow("closed") << 36 << -1 << false << QStringList{u"ＹＥＳ"_s, u"ＮＯ"_s};
    QTest::newRow("cancel") << 33 << 1 << false << QStringList{u"ＯＫ"_s, u"キャンセル"_s};
}

void tst_frmok::kinds()
{
    QFETCH(int, press);
    QStringList seen;
    QColor colour;
    QTimer::singleShot(0, qApp, [&] {
        auto *d = qobject_cast<frmOK *>(QApplication::activeModalWidget());
        QVERIFY(d);
        colour = d->palette().color(QPalette::Window);
        seen = QStringList{d->windowTitle(), d->lblOK->text()};
        for (QPushButton *b : d->cmdOK)
            if (b->isVisible())
                seen.append(b->text());
        if (press < 0)
            d->close();
        else
            QTest::mouseClick(d->cmdOK[press], Qt::LeftButton);
    });
    QFETCH(int, kind);
    QTEST(FrmOkAsker().ask(u"上記例文を削除してもいいですか？"_s, kind, u"例文の削除"_s, nullptr),
          "answer");
    QFETCH(QStringList, buttons);
    QCOMPARE(seen, QStringList({u"例文の削除"_s, u"上記例文を削除してもいいですか？"_s}) + buttons);
    // Design colours are 0x00BBGGRR: the window is blue, not red.
    QCOMPARE(colour, QColor(0x80, 0x80, 0xFF));
}

QTEST_MAIN(tst_frmok)
#include "tst_frmok.moc"
