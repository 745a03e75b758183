#include "TalkFixture.h"
#include "platform/TextBox.h"

#include <QCoreApplication>
#include <QFrame>
#include <QMouseEvent>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

// Queues a mouse release on the button; it is handled at the next yield, as a real one is.
void postRelease(QPushButton *b, Qt::MouseButton button = Qt::LeftButton)
{
    const QPointF centre = QRectF(b->rect()).center();
    QCoreApplication::postEvent(b, new QMouseEvent(QEvent::MouseButtonRelease, centre,
                                                   b->mapToGlobal(centre), button, Qt::NoButton,
                                                   Qt::NoModifier));
}

// Holds caret-pad button `index` down and lets it go during the `releaseAfter`-th repeat
// wait; a button whose loop ends by itself is released afterwards.
void hold(TalkFixture &f, int index, int releaseAfter)
{
    QPushButton *b = f.window().cmdRes[index];
    int waits = 0;
    f.clock.duringWait = [&] {
        if (++waits == releaseAfter)
            postRelease(b);
    };
    QTest::mousePress(b, Qt::LeftButton);
    f.clock.duringWait = nullptr;
    if (f.window().mKeyHeld)
        QTest::mouseRelease(b, Qt::LeftButton);
}

void setText(frmTalk &w, const QString &text, int start, int length)
{
    w.txtTalk->setText(text);
    w.txtTalk->select(start, length);
}

} // namespace

class tst_editpad : public QObject
{
    Q_OBJECT

  private slots:
    void press_data();
    void press();
    void clipboard_data();
    void clipboard();
    void mouseButtonsThatPress_data();
    void mouseButtonsThatPress();
};

void tst_editpad::press_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("length");
    QTest::addColumn<int>("releaseAfter"); // released during this repeat wait
    QTest::addColumn<QString>("newText");
    QTest::addColumn<int>("newStart");
    QTest::addColumn<int>("waits");

    const QString abc = u"あいう"_s;
    const QString abcEnd = u"あいう_"_s;
    const QString five = u"あいうえお"_s;
    const QString lines = u"あいう\nかきく"_s;
    QTest::newRow("→ plain caret") << 0 << abc << 0 << 0 << 1 << abc << 0 << 1;
    QTest::newRow("→ first char") << 0 << abc << 0 << 1 << 1 << abc << 1 << 1;
    QTest::newRow("→ last char") << 0 << abc << 2 << 1 << 1 << abcEnd << 3 << 0;
    QTest::newRow("→ held ends on the end marker")
        << 0 << five << 2 << 1 << 99 << five + u'_' << 5 << 2;

    QTest::newRow("ＢＳ end marker") << 1 << abcEnd << 3 << 1 << 1 << u"あい_"_s << 2 << 0;
    QTest::newRow("ＢＳ marker alone") << 1 << u"_"_s << 0 << 1 << 1 << u"_"_s << 0 << 0;
    QTest::newRow("ＢＳ middle") << 1 << abc << 1 << 1 << 1 << u"あう"_s << 0 << 0;
    QTest::newRow("ＢＳ plain caret") << 1 << abc << 2 << 0 << 1 << u"あう"_s << 1 << 0;
    QTest::newRow("ＢＳ caret at start") << 1 << abc << 0 << 0 << 1 << abc << 0 << 0;
    QTest::newRow("ＢＳ held deletes once") << 1 << abc << 2 << 1 << 99 << u"あい"_s << 1 << 0;

    QTest::newRow("← first char") << 2 << abc << 0 << 1 << 1 << abc << 0 << 0;
    QTest::newRow("← released in third wait") << 2 << five << 4 << 1 << 3 << five << 1 << 3;
    QTest::newRow("← held stops at first char") << 2 << five << 4 << 1 << 99 << five << 0 << 4;

    QTest::newRow("↓ next line") << 3 << lines << 1 << 1 << 1 << lines << 5 << 1;
    QTest::newRow("↓ last line") << 3 << lines << 5 << 1 << 1 << lines << 5 << 1;
    QTest::newRow("↓ shorter line")
        << 3 << u"あいう\nか"_s << 2 << 1 << 1 << u"あいう\nか"_s << 4 << 1;
    QTest::newRow("↑ previous line") << 4 << lines << 6 << 1 << 1 << lines << 2 << 1;
}

void tst_editpad::press()
{
    QFETCH(int, index);
    QFETCH(QString, text);
    QFETCH(int, start);
    QFETCH(int, length);
    QFETCH(int, releaseAfter);
    TalkFixture f;
    frmTalk &w = f.create();
    setText(w, text, start, length);

    hold(f, index, releaseAfter);

    QTEST(w.txtTalk->text(), "newText");
    QTEST(w.txtTalk->selStart(), "newStart");
    QCOMPARE(w.txtTalk->selLength(), 1);
    QTEST(int(f.clock.waits.size()), "waits");
    QCOMPARE(f.clock.waits, QList<qint64>(f.clock.waits.size(), 230));
    QVERIFY(!w.mKeyHeld);
}

void tst_editpad::clipboard_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("clip");
    QTest::addColumn<QString>("newText");
    QTest::addColumn<QString>("newClip");

    const QString text = u"あいう_"_s;
    QTest::newRow("copy takes the whole text") << u"cmdCopy"_s << u"前"_s << text << text;
    QTest::newRow("paste after the end marker")
        << u"cmdPaste"_s << u"えお"_s << u"あいう_えお"_s << QString();
    QTest::newRow("paste of an empty clipboard") << u"cmdPaste"_s << QString() << text << QString();
    const QString many(600, u'ア');
    QTest::newRow("paste past the typing limit")
        << u"cmdPaste"_s << many << QString(text + many) << QString();
}

void tst_editpad::clipboard()
{
    QFETCH(QString, button);
    QFETCH(QString, clip);
    TalkFixture f;
    frmTalk &w = f.create();
    setText(w, u"あいう_"_s, 1, 1);
    f.clipboard.setText(clip);
    f.click("cmdWide");

    f.click(button.toLatin1().constData());

    QTEST(w.txtTalk->text(), "newText");
    QTEST(f.clipboard.text(), "newClip");
}

void tst_editpad::mouseButtonsThatPress_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<Qt::MouseButton>("mouseButton");
    QTest::addColumn<bool>("presses");
    QTest::newRow("← right") << u"cmdRes_2"_s << Qt::RightButton << true;
    QTest::newRow("▽ middle") << u"cmdDown"_s << Qt::MiddleButton << true;
    QTest::newRow("読む right: a click is the left button's")
        << u"cmdRead"_s << Qt::RightButton << false;
}

void tst_editpad::mouseButtonsThatPress()
{
    QFETCH(QString, name);
    QFETCH(Qt::MouseButton, mouseButton);
    TalkFixture f;
    frmTalk &w = f.create();
    w.fraTalk->show();
    f.userPause();
    setText(w, u"あいう"_s, 1, 1);
    auto *b = w.findChild<QPushButton *>(name);
    QSignalSpy pressed(b, &QPushButton::pressed);
    // The pads repeat while held: the release arrives during the first repeat pause.
    f.clock.duringWait = [&] { postRelease(b, mouseButton); };
    QTest::mousePress(b, mouseButton, {}, QPoint(5, 5));
    if (w.mKeyHeld || b->isDown())
        QTest::mouseRelease(b, mouseButton, {}, QPoint(5, 5));

    QFETCH(bool, presses);
    QCOMPARE(pressed.count(), presses ? 1 : 0);
    QVERIFY(!w.mKeyHeld);
}

QTEST_MAIN(tst_editpad)
#include "tst_editpad.moc"
