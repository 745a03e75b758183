#include "TalkFixture.h"
#include "compose/TextArea.h"
#include "platform/DesignLayout.h"
#include "platform/TextBox.h"
#include "platform/Units.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

// Queues a mouse release on the button; it is handled at the next yield, as a real one is.
void postRelease(QPushButton *b)
{
    const QPointF centre = QRectF(b->rect()).center();
    QCoreApplication::postEvent(b, new QMouseEvent(QEvent::MouseButtonRelease, centre,
                                                   b->mapToGlobal(centre), Qt::LeftButton,
                                                   Qt::NoButton, Qt::NoModifier));
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
    void singlePress_data();
    void singlePress();
    void holdRepeatsUntilRelease_data();
    void holdRepeatsUntilRelease();
    void backspaceHeldDeletesOnce();
    void hiddenTextBoxStopsAtOnce();
    void padShowsPress();
    void widenAndNarrow();
    void widenDecidesOnTextHeight();
    void copyTakesWholeText();
    void paste_data();
    void paste();
    void copyAndPasteShowPress();
};

void tst_editpad::singlePress_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("length");
    QTest::addColumn<QString>("newText");
    QTest::addColumn<int>("newStart");
    QTest::addColumn<int>("newLength");

    const QString abc = u"あいう"_s;
    const QString abcEnd = u"あいう_"_s;
    const QString lines = u"あいう\nかきく"_s;

    QTest::newRow("→ empty") << 0 << QString() << 0 << 0 << QString() << 0 << 0;
    QTest::newRow("→ plain caret") << 0 << abc << 0 << 0 << abc << 0 << 1;
    QTest::newRow("→ first char") << 0 << abc << 0 << 1 << abc << 1 << 1;
    QTest::newRow("→ last char") << 0 << abc << 2 << 1 << abcEnd << 3 << 1;
    QTest::newRow("→ caret before last") << 0 << abc << 2 << 0 << abcEnd << 3 << 1;
    QTest::newRow("→ end marker") << 0 << abcEnd << 3 << 1 << abcEnd << 3 << 1;
    QTest::newRow("→ caret at end") << 0 << abc << 3 << 0 << abc << 3 << 0;

    QTest::newRow("ＢＳ empty") << 1 << QString() << 0 << 0 << QString() << 0 << 0;
    QTest::newRow("ＢＳ end marker") << 1 << abcEnd << 3 << 1 << u"あい_"_s << 2 << 1;
    QTest::newRow("ＢＳ marker alone") << 1 << u"_"_s << 0 << 1 << u"_"_s << 0 << 1;
    QTest::newRow("ＢＳ middle") << 1 << abc << 1 << 1 << u"あう"_s << 0 << 1;
    QTest::newRow("ＢＳ first") << 1 << abc << 0 << 1 << u"いう"_s << 0 << 1;
    QTest::newRow("ＢＳ last real") << 1 << abc << 2 << 1 << u"あい"_s << 1 << 1;
    QTest::newRow("ＢＳ plain caret") << 1 << abc << 2 << 0 << u"あう"_s << 1 << 1;
    QTest::newRow("ＢＳ caret at start") << 1 << abc << 0 << 0 << abc << 0 << 1;
    QTest::newRow("ＢＳ caret at end") << 1 << abc << 3 << 0 << u"あい"_s << 2 << 0;
    QTest::newRow("ＢＳ caret before marker") << 1 << u"あい_"_s << 2 << 0 << u"あ_"_s << 1 << 1;

    QTest::newRow("← empty") << 2 << QString() << 0 << 0 << QString() << 0 << 0;
    QTest::newRow("← first char") << 2 << abc << 0 << 1 << abc << 0 << 1;
    QTest::newRow("← middle") << 2 << abc << 2 << 1 << abc << 1 << 1;
    QTest::newRow("← end marker") << 2 << abcEnd << 3 << 1 << abcEnd << 2 << 1;
    QTest::newRow("← plain caret") << 2 << abc << 2 << 0 << abc << 1 << 1;

    QTest::newRow("↓ next line") << 3 << lines << 1 << 1 << lines << 5 << 1;
    QTest::newRow("↓ last line") << 3 << lines << 5 << 1 << lines << 5 << 1;
    QTest::newRow("↓ shorter line") << 3 << u"あいう\nか"_s << 2 << 1 << u"あいう\nか"_s << 4 << 1;
    QTest::newRow("↓ onto the end marker")
        << 3 << u"あいうえ\nか_"_s << 3 << 1 << u"あいうえ\nか_"_s << 6 << 1;
    QTest::newRow("↑ shorter line") << 4 << u"あ\nかきく"_s << 4 << 1 << u"あ\nかきく"_s << 0 << 1;
    QTest::newRow("↓ empty") << 3 << QString() << 0 << 0 << QString() << 0 << 0;
    QTest::newRow("↑ previous line") << 4 << lines << 6 << 1 << lines << 2 << 1;
    QTest::newRow("↑ first line") << 4 << lines << 1 << 1 << lines << 1 << 1;
}

void tst_editpad::singlePress()
{
    QFETCH(int, index);
    QFETCH(QString, text);
    QFETCH(int, start);
    QFETCH(int, length);
    TalkFixture f;
    frmTalk &w = f.create();
    setText(w, text, start, length);

    hold(f, index, 1);

    QTEST(w.txtTalk->text(), "newText");
    QTEST(w.txtTalk->selStart(), "newStart");
    QTEST(w.txtTalk->selLength(), "newLength");
    QVERIFY(!w.mKeyHeld);
    QVERIFY(f.clock.waits.size() <= 1);
}

void tst_editpad::holdRepeatsUntilRelease_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("releaseAfter");
    QTest::addColumn<QString>("newText");
    QTest::addColumn<int>("newStart");
    QTest::addColumn<int>("waits");

    const QString five = u"あいうえお"_s;
    QTest::newRow("← released in first pause") << 2 << five << 4 << 1 << five << 3 << 1;
    QTest::newRow("← released in third pause") << 2 << five << 4 << 3 << five << 1 << 3;
    QTest::newRow("← stops at first char") << 2 << five << 4 << 99 << five << 0 << 4;
    QTest::newRow("→ released in second pause") << 0 << five << 0 << 2 << five << 2 << 2;
    QTest::newRow("→ ends on the end marker") << 0 << five << 2 << 99 << u"あいうえお_"_s << 5 << 2;
    QTest::newRow("↓ repeats line by line")
        << 3 << u"あ\nい\nう\nえ"_s << 0 << 2 << u"あ\nい\nう\nえ"_s << 4 << 2;
}

void tst_editpad::holdRepeatsUntilRelease()
{
    QFETCH(int, index);
    QFETCH(QString, text);
    QFETCH(int, start);
    QFETCH(int, releaseAfter);
    TalkFixture f;
    frmTalk &w = f.create();
    setText(w, text, start, 1);

    hold(f, index, releaseAfter);

    QTEST(w.txtTalk->text(), "newText");
    QTEST(w.txtTalk->selStart(), "newStart");
    QCOMPARE(w.txtTalk->selLength(), 1);
    QTEST(int(f.clock.waits.size()), "waits");
    QVERIFY(std::all_of(f.clock.waits.cbegin(), f.clock.waits.cend(),
                        [](qint64 ms) { return ms == 230; }));
    QVERIFY(!w.mKeyHeld);
}

void tst_editpad::backspaceHeldDeletesOnce()
{
    TalkFixture f;
    frmTalk &w = f.create();
    setText(w, u"あいうえ"_s, 3, 1);

    QTest::mousePress(w.cmdRes[1], Qt::LeftButton);

    QCOMPARE(w.txtTalk->text(), u"あいう"_s);
    QCOMPARE(w.txtTalk->selStart(), 2);
    QVERIFY(f.clock.waits.isEmpty());
    QVERIFY(w.mKeyHeld);
    QTest::mouseRelease(w.cmdRes[1], Qt::LeftButton);
    QVERIFY(!w.mKeyHeld);
}

void tst_editpad::hiddenTextBoxStopsAtOnce()
{
    TalkFixture f;
    frmTalk &w = f.create();
    setText(w, u"あいう"_s, 0, 1);
    w.txtTalk->hide();

    hold(f, 0, 99);

    QCOMPARE(w.txtTalk->selStart(), 0);
    QVERIFY(f.clock.waits.isEmpty());
}

void tst_editpad::padShowsPress()
{
    TalkFixture f;
    frmTalk &w = f.create();
    setText(w, u"あ\nい\nう"_s, 4, 1);
    QPushButton *up = w.cmdRes[4];
    QCOMPARE(DesignLayout::backColour(up), 12648384);
    qint64 whileHeld = -1;
    f.clock.duringWait = [&] {
        whileHeld = DesignLayout::backColour(up);
        postRelease(up);
    };

    QTest::mousePress(up, Qt::LeftButton);

    QCOMPARE(whileHeld, Units::Colour::Grey);
    QCOMPARE(DesignLayout::backColour(up), Units::Colour::White);
    QCOMPARE(w.txtTalk->selStart(), 2);
}

void tst_editpad::widenAndNarrow()
{
    TalkFixture f;
    frmTalk &w = f.create();

    f.click("cmdWide");
    QCOMPARE(DesignLayout::rect(w.fraText).height(), w.heightTwips() - 3480);
    QCOMPARE(DesignLayout::rect(w.txtTalk).height(), w.heightTwips() - 3630);
    QCOMPARE(w.cmdWide->text(), u"狭める"_s);
    QVERIFY(w.txtTalk->hasFocus());

    f.click("cmdWide");
    QCOMPARE(DesignLayout::rect(w.fraText).height(), 2445);
    QCOMPARE(DesignLayout::rect(w.txtTalk).height(), 2295);
    QCOMPARE(w.cmdWide->text(), u"広げる"_s);
}

void tst_editpad::widenDecidesOnTextHeight()
{
    TalkFixture f;
    frmTalk &w = f.create();
    // Widened elsewhere, caption untouched: the button still narrows.
    TextArea::setWideSizes(w);

    f.click("cmdWide");

    QCOMPARE(DesignLayout::rect(w.txtTalk).height(), 2295);
    QCOMPARE(w.cmdWide->text(), u"広げる"_s);
}

void tst_editpad::copyTakesWholeText()
{
    TalkFixture f;
    frmTalk &w = f.create();
    setText(w, u"あいう_"_s, 1, 1);
    f.clipboard.setText(u"前"_s);
    f.click("cmdWide");

    f.click("cmdCopy");

    QCOMPARE(f.clipboard.text(), u"あいう_"_s);
    QCOMPARE(w.txtTalk->text(), u"あいう_"_s);
    QCOMPARE(w.txtTalk->selStart(), 1);
    QCOMPARE(w.txtTalk->selLength(), 1);
}

void tst_editpad::paste_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("clip");
    QTest::addColumn<QString>("newText");

    QTest::newRow("after the end marker") << u"あいう_"_s << u"えお"_s << u"あいう_えお"_s;
    QTest::newRow("onto empty text") << QString() << u"えお"_s << u"えお"_s;
    QTest::newRow("empty clipboard") << u"あいう_"_s << QString() << u"あいう_"_s;
    const QString many(600, u'ア');
    QTest::newRow("past the typing limit") << u"あ"_s << many << QString(u"あ"_s + many);
}

void tst_editpad::paste()
{
    QFETCH(QString, text);
    QFETCH(QString, clip);
    TalkFixture f;
    frmTalk &w = f.create();
    setText(w, text, 0, 1);
    f.clipboard.setText(clip);
    f.click("cmdWide");

    f.click("cmdPaste");

    QTEST(w.txtTalk->text(), "newText");
    QCOMPARE(f.clipboard.text(), QString());
}

void tst_editpad::copyAndPasteShowPress()
{
    TalkFixture f;
    frmTalk &w = f.create();
    f.click("cmdWide");
    for (QPushButton *b : {w.cmdCopy, w.cmdPaste}) {
        QCOMPARE(DesignLayout::backColour(b), 13206417);
        QTest::mousePress(b, Qt::LeftButton);
        QCOMPARE(DesignLayout::backColour(b), Units::Colour::Grey);
        QTest::mouseRelease(b, Qt::LeftButton);
        QCOMPARE(DesignLayout::backColour(b), Units::Colour::White);
    }
}

QTEST_MAIN(tst_editpad)
#include "tst_editpad.moc"
