#include "TalkFixture.h"
#include "platform/TextBox.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

class tst_designbutton : public QObject
{
    Q_OBJECT

  private slots:
    void mouseButtonsThatPress_data();
    void mouseButtonsThatPress();
};

void tst_designbutton::mouseButtonsThatPress_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<Qt::MouseButton>("mouseButton");
    QTest::addColumn<bool>("presses");
    QTest::newRow("← right") << u"cmdRes_2"_s << Qt::RightButton << true;
    QTest::newRow("▽ middle") << u"cmdDown"_s << Qt::MiddleButton << true;
    QTest::newRow("読む right: a click is the left button's")
        << u"cmdRead"_s << Qt::RightButton << false;
}

void tst_designbutton::mouseButtonsThatPress()
{
    QFETCH(QString, name);
    QFETCH(Qt::MouseButton, mouseButton);
    TalkFixture f;
    frmTalk &w = f.create();
    w.fraTalk->show();
    f.userPause();
    w.txtTalk->setText(u"あいう"_s);
    w.txtTalk->select(1, 1);
    auto *b = w.findChild<QPushButton *>(name);
    QSignalSpy pressed(b, &QPushButton::pressed);
    // The pads repeat while held: the release arrives during the first repeat pause.
    f.clock.duringWait = [&] {
        QCoreApplication::postEvent(b, new QMouseEvent(QEvent::MouseButtonRelease, QPointF(5, 5),
                                                       b->mapToGlobal(QPointF(5, 5)), mouseButton,
                                                       Qt::NoButton, Qt::NoModifier));
    };
    QTest::mousePress(b, mouseButton, {}, QPoint(5, 5));
    if (w.mKeyHeld || b->isDown())
        QTest::mouseRelease(b, mouseButton, {}, QPoint(5, 5));

    QFETCH(bool, presses);
    QCOMPARE(pressed.count(), presses ? 1 : 0);
    QVERIFY(!w.mKeyHeld);
}

QTEST_MAIN(tst_designbutton)
#include "tst_designbutton.moc"
