#include "TalkFixture.h"

#include <QSignalSpy>

using namespace Qt::Literals::StringLiterals;

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
    QTest::addColumn<QString>("before");   // the selection in brackets, '|' a plain caret
    QTest::addColumn<int>("releaseAfter"); // released after this repeat wait
    QTest::addColumn<QString>("after");
    QTest::addColumn<int>("waits");
    QTest::newRow("→ plain caret") << 0 << u"|あいう"_s << 1 << u"[あ]いう"_s << 1;
    QTest::newRow("→ first char") << 0 << u"[あ]いう"_s << 1 << u"あ[い]う"_s << 1;
    QTest::newRow("→ last char") << 0 << u"あい[う]"_s << 1 << u"あいう[_]"_s << 0;
    QTest::newRow("→ held ends on the end marker")
        << 0 << u"あい[う]えお"_s << 99 << u"あいうえお[_]"_s << 2;

    QTest::newRow("ＢＳ end marker") << 1 << u"あいう[_]"_s << 1 << u"あい[_]"_s << 0;
    QTest::newRow("ＢＳ marker alone") << 1 << u"[_]"_s << 1 << u"[_]"_s << 0;
    QTest::newRow("ＢＳ middle") << 1 << u"あ[い]う"_s << 1 << u"[あ]う"_s << 0;
    QTest::newRow("ＢＳ plain caret") << 1 << u"あい|う"_s << 1 << u"あ[う]"_s << 0;
    QTest::newRow("ＢＳ caret at start") << 1 << u"|あいう"_s << 1 << u"[あ]いう"_s << 0;
    QTest::newRow("ＢＳ held deletes once") << 1 << u"あい[う]"_s << 99 << u"あ[い]"_s << 0;

    QTest::newRow("← first char") << 2 << u"[あ]いう"_s << 1 << u"[あ]いう"_s << 0;
    QTest::newRow("← released in third wait")
        << 2 << u"あいうえ[お]"_s << 3 << u"あ[い]うえお"_s << 3;
    QTest::newRow("← held stops at first char")
        << 2 << u"あいうえ[お]"_s << 99 << u"[あ]いうえお"_s << 4;

    QTest::newRow("↓ next line") << 3 << u"あ[い]う\nかきく"_s << 1 << u"あいう\nか[き]く"_s << 1;
    QTest::newRow("↓ last line") << 3 << u"あいう\nか[き]く"_s << 1 << u"あいう\nか[き]く"_s << 1;
    QTest::newRow("↓ shorter line") << 3 << u"あい[う]\nか"_s << 1 << u"あいう\n[か]"_s << 1;
    QTest::newRow("↑ previous line")
        << 4 << u"あいう\nかき[く]"_s << 1 << u"あい[う]\nかきく"_s << 1;
}

void tst_editpad::press()
{
    QFETCH(int, index);
    QFETCH(QString, before);
    QFETCH(int, releaseAfter);
    TalkFixture f;
    frmTalk &w = f.create();
    f.setShown(before);

    f.hold(w.cmdRes[index], releaseAfter);

    QTEST(f.shown(), "after");
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
    f.setShown(u"あ[い]う_"_s);
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
    f.setShown(u"あ[い]う"_s);
    auto *b = w.findChild<QPushButton *>(name);
    QSignalSpy pressed(b, &QPushButton::pressed);
    // The pads repeat while held: the release arrives after the first repeat pause.
    f.hold(b, 1, mouseButton);

    QFETCH(bool, presses);
    QCOMPARE(pressed.count(), presses ? 1 : 0);
    QVERIFY(!w.mKeyHeld);
}

QTEST_MAIN(tst_editpad)
#include "tst_editpad.moc"
