#include "TalkFixture.h"
#include "boards/ConvertChar.h"
#include "platform/DesignLayout.h"
#include "platform/Units.h"

using namespace Qt::Literals::StringLiterals;

namespace {

// Splits a row written with spaces between items; "-" stands for an empty cell.
QStringList items(const QString &row)
{
    QStringList out = row.split(u' ', Qt::SkipEmptyParts);
    for (QString &item : out)
        if (item == u"-"_s)
            item.clear();
    return out;
}

// Presses "b<row>,<col>" on grdBoard, "s<row>,<col>" on grdBoard2, "k" the set switch, "e"
// "戻る" or "x" the sample button.
void press(TalkFixture &f, const QString &click)
{
    if (click == u"k"_s || click == u"e"_s || click == u"x"_s) {
        f.click(click == u"k"_s ? "cmdKey" : click == u"e"_s ? "cmdEnd2" : "cmdSamp");
        return;
    }
    const QStringList at = click.mid(1).split(u',');
    f.clickCell(click.startsWith(u'b') ? "grdBoard" : "grdBoard2", at[0].toInt(), at[1].toInt());
}

// Runs the presses in turn; one written "+<press>" comes at the next yield, while the press
// after it speaks.
void run(TalkFixture &f, const QString &clicks)
{
    QString pending;
    f.events.beforeYield = [&] {
        if (!pending.isEmpty())
            press(f, std::exchange(pending, QString()).mid(1));
    };
    for (const QString &click : items(clicks)) {
        if (click.startsWith(u'+'))
            pending = click;
        else
            press(f, click);
    }
    f.events.beforeYield = nullptr;
    QVERIFY(pending.isEmpty());
}

// The selection screen's nine texts, or nothing while it is hidden.
QStringList selectionTexts(const frmTalk &w)
{
    QStringList texts;
    for (int r = 0; w.fraSet->isVisible() && r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            texts.append(w.grdBoard2->textMatrix(r, c));
    return texts;
}

// The voice texts played, from the recorded file names.
QStringList playedTexts(const TalkFixture &f)
{
    QStringList texts;
    for (const QString &file : f.wave.played)
        texts.append(file.section(QDir::separator(), -1).chopped(4));
    return texts;
}

} // namespace

class tst_boardentry : public QObject
{
    Q_OBJECT

  private slots:
    void forms_data();
    void forms();
    void clicks_data();
    void clicks();
    void pressColours();
};

// The two other forms of a character that the selection screen offers beside it.
void tst_boardentry::forms_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("left");
    QTest::addColumn<QString>("right");
    QTest::newRow("つ") << u"つ"_s << u"っ"_s << u"づ"_s;
    QTest::newRow("ヨ has no voiced form") << u"ヨ"_s << QString() << u"ョ"_s;
    QTest::newRow("two characters have none") << u"つつ"_s << QString() << QString();
}

void tst_boardentry::forms()
{
    QFETCH(QString, text);
    const CharForms forms = charForms(text);
    QTEST(forms.left, "left");
    QTEST(forms.right, "right");
}

void tst_boardentry::clicks_data()
{
    QTest::addColumn<QString>("options"); // OPT1 OPT2 gMaxC
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("clicks");
    QTest::addColumn<QString>("after");
    QTest::addColumn<QString>("selection"); // the nine texts; empty: hidden
    QTest::addColumn<QString>("played");
    // "k" presses the set switch (hiragana, katakana, alphanumeric). Hiragana: か (0,8), き (1,8),
    // あ (0,9). Alphanumeric with fifteen columns: (0,12) empty.
    const QString modeOne = u"0 0 9"_s;
    const QString none;
    QTest::newRow("selection of 9: the last column with its right neighbour")
        << modeOne << none << u"k k b0,8"_s << none << u"- - - 8 9 0 I O o"_s << u"9"_s;
    QTest::newRow("1: selection cell enters at once")
        << modeOne << none << u"b0,8 s1,2"_s << u"が[_]"_s << none << u"か が"_s;
    QTest::newRow("1: selection second click enters")
        << u"0 1 9"_s << none << u"b0,8 s1,0 s1,2 s1,2"_s << u"が[_]"_s << none << u"か さ が が"_s;
    QTest::newRow("1: empty selection cell does nothing, 戻る closes")
        << modeOne << none << u"b0,8 s0,0 e"_s << none << none << u"か"_s;
    QTest::newRow("2: first click only arms")
        << u"1 0 9"_s << none << u"b0,8"_s << none << none << u"か"_s;
    QTest::newRow("2: second click opens") << u"1 0 9"_s << none << u"b0,8 b0,8"_s << none
                                           << u"- - - さ か が し き ぎ"_s << u"か か"_s;
    QTest::newRow("3: in front of the current character")
        << u"2 0 9"_s << u"あ[い]う"_s << u"b0,8"_s << u"あか[い]う_"_s << none << u"か"_s;
    QTest::newRow("3: face mark whole")
        << u"2 0 9"_s << u"あ[_]"_s << u"k k b4,8"_s << u"あ(^_^)[_]"_s << none << u"(^_^)"_s;
    QTest::newRow("3: empty cell enters full-width space")
        << u"2 0 14"_s << none << u"k k b0,12"_s << u"\u3000[_]"_s << none << u"\u3000"_s;
    QTest::newRow("3: a press while the voice plays is dropped")
        << u"2 0 9"_s << none << u"+b1,8 b0,9 b1,8"_s << u"あき[_]"_s << none << u"あ き"_s;
    QTest::newRow("4: か, き, き, き") << u"3 0 9"_s << none << u"b0,8 b1,8 b1,8 b1,8"_s
                                       << u"きき[_]"_s << none << u"か き き き"_s;
    // The sample list's regrouping runs through the armed text: the next click arms again.
    QTest::newRow("4: the sample list leaves its last sentence armed")
        << u"3 0 9"_s << none << u"b0,8 x x b0,8"_s << u"[_]"_s << none << u"か か"_s;
    QTest::newRow("4: empty cell never acts once armed")
        << u"3 0 14"_s << none << u"k k b0,0 b0,12 b0,12"_s << none << none << u"1 \u3000 \u3000"_s;
    QTest::newRow("unknown mode does nothing")
        << u"7 0 9"_s << none << u"b0,8"_s << none << none << none;
}

void tst_boardentry::clicks()
{
    QFETCH(QString, options);
    QFETCH(QString, before);
    QFETCH(QString, clicks);
    QFETCH(QString, selection);
    QFETCH(QString, played);
    const QStringList opt = items(options);
    TalkFixture f;
    f.settings.values = {
        {u"OPT1"_s, opt[0]}, {u"OPT2"_s, opt[1]}, {u"gMaxC"_s, opt[2]}, {u"Beep"_s, u"1"_s}};
    f.writeFile(u"Talk.txt"_s, "\"ok\"\r\n");
    frmTalk &w = f.create();
    w.state().gCellText.clear();
    f.setShown(before);
    run(f, clicks);

    QTEST(f.shown(), "after");
    QCOMPARE(selectionTexts(w), items(selection));
    QCOMPARE(playedTexts(f), items(played));
    // Every press beeps but the set switch, the sample button and one dropped while a voice plays.
    QCOMPARE(f.beeper.count,
             items(clicks).size() - clicks.count(u'k') - clicks.count(u'x') - clicks.count(u'+'));
    QVERIFY(w.grdBoard->isEnabled());
    QVERIFY(w.grdBoard2->isEnabled());
    if (!selection.isEmpty())
        QCOMPARE(DesignLayout::rect(w.fraSet).topLeft(), DesignLayout::rect(w.grdBoard).topLeft());
}

void tst_boardentry::pressColours()
{
    TalkFixture f;
    f.settings.values = {{u"OPT1"_s, u"3"_s}};
    frmTalk &w = f.create();
    FlexGrid &board = *w.grdBoard;
    // Presses and releases cell (row, col); returns its colour while held.
    const auto press = [&](int row, int col) {
        const QPoint at = board.visualRect(board.model()->index(row, col)).center();
        QTest::mousePress(board.viewport(), Qt::LeftButton, {}, at);
        const qint64 held = board.cellBackColor(row, col);
        QTest::mouseRelease(board.viewport(), Qt::LeftButton, {}, at);
        return held;
    };
    w.state().gCellText.clear();
    QCOMPARE(press(0, 8), Units::Colour::LightGreen); // arms か
    QCOMPARE(press(1, 8), Units::Colour::LightGreen); // arms き
    QCOMPARE(board.cellBackColor(0, 8), Units::Colour::White);
    QCOMPARE(press(1, 8), Units::Colour::Silver);
}

QTEST_MAIN(tst_boardentry)
#include "tst_boardentry.moc"
