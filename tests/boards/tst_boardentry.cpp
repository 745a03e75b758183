#include "TalkFixture.h"
#include "boards/BoardEntry.h"
#include "platform/DesignLayout.h"
#include "platform/FlexGrid.h"
#include "platform/TextBox.h"
#include "platform/Units.h"

#include <QFrame>
#include <QPushButton>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

using SettingValues = QMap<QString, QString>;

namespace {

// A fixture with the given settings, showing the board reached by `keyPresses` presses of
// the set switch (0 hiragana, 1 katakana, 2 alphanumeric).
frmTalk &start(TalkFixture &f, const SettingValues &settings, int keyPresses = 0)
{
    for (auto it = settings.cbegin(); it != settings.cend(); ++it)
        f.settings.values.insert(it.key(), it.value());
    frmTalk &w = f.create();
    for (int i = 0; i < keyPresses; ++i)
        f.click("cmdKey");
    return w;
}

// Splits a row written with spaces between items; "-" stands for an empty cell.
QStringList items(const QString &row)
{
    QStringList out = row.split(u' ', Qt::SkipEmptyParts);
    for (QString &item : out)
        if (item == u"-"_s)
            item.clear();
    return out;
}

// Runs clicks written "b<row>,<col>" for grdBoard and "s<row>,<col>" for grdBoard2.
void run(TalkFixture &f, const QString &clicks)
{
    for (const QString &click : items(clicks)) {
        const QStringList at = click.mid(1).split(u',');
        f.clickCell(click.startsWith(u'b') ? "grdBoard" : "grdBoard2", at[0].toInt(),
                    at[1].toInt());
    }
}

QStringList selectionTexts(const FlexGrid &g)
{
    QStringList texts;
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            texts.append(g.textMatrix(r, c));
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
    void selectionScreen_data();
    void selectionScreen();
    void clickModes_data();
    void clickModes();
    void insertChar_data();
    void insertChar();
    void pressColours();
    void clicksDuringVoiceAreDropped();
    void beepOnEveryGridClick();
};

void tst_boardentry::selectionScreen_data()
{
    QTest::addColumn<int>("maxC");
    QTest::addColumn<int>("keyPresses");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("col");
    QTest::addColumn<QString>("expected");
    QTest::newRow("か") << 9 << 0 << 0 << 8 << u"- - - さ か が し き ぎ"_s;
    QTest::newRow("つ") << 9 << 0 << 2 << 6 << u"に ち ぢ っ つ づ ね て で"_s;
    QTest::newRow("あ") << 9 << 0 << 0 << 9 << u"- - - か あ ぁ き い ぃ"_s;
    QTest::newRow("な") << 9 << 0 << 0 << 5 << u"- - - は な た ひ に ち"_s;
    QTest::newRow("な, fifteen columns") << 14 << 0 << 0 << 10 << u"- - - は な - ひ に -"_s;
    QTest::newRow("お, bottom row") << 9 << 0 << 4 << 9 << u"け え ぇ こ お ぉ - - -"_s;
    QTest::newRow("9: the last column with its right neighbour")
        << 9 << 2 << 0 << 8 << u"- - - 8 9 0 I O o"_s;
    QTest::newRow("Z") << 9 << 2 << 3 << 1 << u"A S s / Z z : % +"_s;
    QTest::newRow("face mark") << 9 << 2 << 4 << 8 << u"M , . ! (^_^) (T_T) - - -"_s;
}

void tst_boardentry::selectionScreen()
{
    QFETCH(int, maxC);
    QFETCH(int, keyPresses);
    QFETCH(int, row);
    QFETCH(int, col);
    QFETCH(QString, expected);
    TalkFixture f;
    frmTalk &w = start(f, {{u"gMaxC"_s, QString::number(maxC)}}, keyPresses);
    f.clickCell("grdBoard", row, col);

    QCOMPARE(selectionTexts(*w.grdBoard2), items(expected));
    QVERIFY(w.fraSet->isVisible());
    QCOMPARE(DesignLayout::rect(w.fraSet).topLeft(), DesignLayout::rect(w.grdBoard).topLeft());
    QCOMPARE(w.grdBoard->cellBackColor(row, col), Units::kSystemDesktopColour);
    QCOMPARE(playedTexts(f), QStringList{items(expected)[4]});
    QCOMPARE(w.txtTalk->text(), QString());
}

void tst_boardentry::clickModes_data()
{
    QTest::addColumn<QString>("options"); // OPT1 OPT2 gMaxC
    QTest::addColumn<int>("keyPresses");
    QTest::addColumn<QString>("clicks");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("selectionShown");
    QTest::addColumn<QString>("played");
    // Hiragana: か (0,8), き (1,8), あ (0,9). Alphanumeric with fifteen columns: (0,12) empty.
    QTest::newRow("1: one click opens")
        << u"0 0 9"_s << 0 << u"b0,8"_s << QString() << true << u"か"_s;
    QTest::newRow("1: selection cell enters at once")
        << u"0 0 9"_s << 0 << u"b0,8 s1,2"_s << u"が_"_s << false << u"か が"_s;
    QTest::newRow("1: selection two clicks")
        << u"0 1 9"_s << 0 << u"b0,8 s1,2"_s << QString() << true << u"か が"_s;
    QTest::newRow("1: selection second click enters")
        << u"0 1 9"_s << 0 << u"b0,8 s1,0 s1,2 s1,2"_s << u"が_"_s << false << u"か さ が が"_s;
    QTest::newRow("1: empty selection cell does nothing")
        << u"0 0 9"_s << 0 << u"b0,8 s0,0"_s << QString() << true << u"か"_s;
    QTest::newRow("2: first click only arms")
        << u"1 0 9"_s << 0 << u"b0,8"_s << QString() << false << u"か"_s;
    QTest::newRow("2: second click opens")
        << u"1 0 9"_s << 0 << u"b0,8 b0,8"_s << QString() << true << u"か か"_s;
    QTest::newRow("3: one click enters")
        << u"2 0 9"_s << 0 << u"b0,9"_s << u"あ_"_s << false << u"あ"_s;
    QTest::newRow("4: か, き, き, き")
        << u"3 0 9"_s << 0 << u"b0,8 b1,8 b1,8 b1,8"_s << u"きき_"_s << false << u"か き き き"_s;
    QTest::newRow("unknown mode does nothing")
        << u"7 0 9"_s << 0 << u"b0,8"_s << QString() << false << QString();
    QTest::newRow("empty cell enters full-width space")
        << u"2 0 14"_s << 2 << u"b0,12"_s << u"\u3000_"_s << false << u"\u3000"_s;
    QTest::newRow("empty cell opens empty selection")
        << u"0 0 14"_s << 2 << u"b0,12"_s << QString() << true << u"\u3000"_s;
    QTest::newRow("two-click empty cell acts while nothing armed")
        << u"3 0 14"_s << 2 << u"b0,12"_s << u"\u3000_"_s << false << u"\u3000"_s;
    QTest::newRow("two-click empty cell never acts once armed")
        << u"3 0 14"_s << 2 << u"b0,0 b0,12 b0,12"_s << QString() << false << u"1 \u3000 \u3000"_s;
}

void tst_boardentry::clickModes()
{
    QFETCH(QString, options);
    QFETCH(int, keyPresses);
    QFETCH(QString, clicks);
    QFETCH(QString, text);
    QFETCH(bool, selectionShown);
    QFETCH(QString, played);
    const QStringList opt = items(options);
    TalkFixture f;
    frmTalk &w =
        start(f, {{u"OPT1"_s, opt[0]}, {u"OPT2"_s, opt[1]}, {u"gMaxC"_s, opt[2]}}, keyPresses);
    w.state().gCellText.clear();
    run(f, clicks);

    QCOMPARE(w.txtTalk->text(), text);
    QCOMPARE(w.fraSet->isVisible(), selectionShown);
    QCOMPARE(playedTexts(f), items(played));
    QVERIFY(w.grdBoard->isEnabled());
    QVERIFY(w.grdBoard2->isEnabled());
    if (selectionShown)
        QCOMPARE(w.grdBoard2->textMatrix(1, 1), w.grdBoard->textMatrix(w.mBoardRow, w.mBoardCol));
}

void tst_boardentry::insertChar_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<int>("selStart");
    QTest::addColumn<int>("selLength");
    QTest::addColumn<int>("keyPresses");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("col");
    QTest::addColumn<QString>("after");
    QTest::addColumn<int>("afterStart");

    // After every entry the character after the caret is selected.
    QTest::newRow("empty box") << QString() << 0 << 0 << 0 << 0 << 9 << u"あ_"_s << 1;
    QTest::newRow("in front of the current character")
        << u"あいう"_s << 1 << 1 << 0 << 0 << 8 << u"あかいう_"_s << 2;
    QTest::newRow("in front of the end marker")
        << u"あ_"_s << 1 << 1 << 0 << 0 << 8 << u"あか_"_s << 2;
    QTest::newRow("plain caret after the marker")
        << u"あ_"_s << 2 << 0 << 0 << 0 << 8 << u"あ_か_"_s << 3;
    QTest::newRow("face mark whole") << u"あ_"_s << 1 << 1 << 2 << 4 << 8 << u"あ(^_^)_"_s << 6;
}

void tst_boardentry::insertChar()
{
    QFETCH(QString, before);
    QFETCH(int, selStart);
    QFETCH(int, selLength);
    QFETCH(int, keyPresses);
    QFETCH(int, row);
    QFETCH(int, col);
    QFETCH(QString, after);
    QFETCH(int, afterStart);
    TalkFixture f;
    frmTalk &w = start(f, {{u"OPT1"_s, u"2"_s}}, keyPresses);
    w.txtTalk->setText(before);
    w.txtTalk->select(selStart, selLength);
    f.clickCell("grdBoard", row, col);

    QCOMPARE(w.txtTalk->text(), after);
    QCOMPARE(w.txtTalk->selStart(), afterStart);
    QCOMPARE(w.txtTalk->selLength(), 1);
    QCOMPARE(w.focusWidget(), w.txtTalk);
}

void tst_boardentry::pressColours()
{
    TalkFixture f;
    frmTalk &w = start(f, {{u"OPT1"_s, u"3"_s}});
    FlexGrid &board = *w.grdBoard;
    const auto at = [&](int row, int col) {
        return board.visualRect(board.model()->index(row, col)).center();
    };
    const auto press = [&](int row, int col) {
        QTest::mousePress(board.viewport(), Qt::LeftButton, {}, at(row, col));
    };
    const auto release = [&](int row, int col) {
        QTest::mouseRelease(board.viewport(), Qt::LeftButton, {}, at(row, col));
    };
    w.state().gCellText.clear();
    press(0, 8);
    QCOMPARE(board.cellBackColor(0, 8), Units::Colour::LightGreen);
    QCOMPARE(w.mBoardRow, 0);
    QCOMPARE(w.mBoardCol, 8);
    release(0, 8); // arms か
    press(1, 8);
    QCOMPARE(board.cellBackColor(1, 8), Units::Colour::LightGreen);
    QCOMPARE(board.cellBackColor(0, 8), Units::Colour::White);
    release(1, 8); // arms き
    press(1, 8);
    QCOMPARE(board.cellBackColor(1, 8), Units::Colour::Silver);
    release(1, 8);
    QVERIFY(board.isEnabled());
}

void tst_boardentry::clicksDuringVoiceAreDropped()
{
    TalkFixture f;
    frmTalk &w = start(f, {{u"OPT1"_s, u"2"_s}});
    bool inside = false;
    f.events.beforeYield = [&] {
        if (inside)
            return;
        inside = true;
        f.clickCell("grdBoard", 1, 8);
        inside = false;
    };
    f.clickCell("grdBoard", 0, 9);
    QCOMPARE(w.txtTalk->text(), u"あ_"_s);
    QCOMPARE(playedTexts(f), QStringList{u"あ"_s});
    QVERIFY(w.grdBoard->isEnabled());
    f.events.beforeYield = nullptr;
    f.clickCell("grdBoard", 1, 8);
    QCOMPARE(w.txtTalk->text(), u"あき_"_s);
}

void tst_boardentry::beepOnEveryGridClick()
{
    TalkFixture f;
    frmTalk &w = start(f, {{u"Beep"_s, u"1"_s}});
    f.clickCell("grdBoard", 0, 8);
    QCOMPARE(f.beeper.count, 1);
    f.clickCell("grdBoard2", 0, 0); // empty: the beep and nothing else
    QCOMPARE(f.beeper.count, 2);
    QVERIFY(w.fraSet->isVisible());
    QCOMPARE(f.wave.played.size(), 1);
    f.click("cmdEnd2"); // "戻る" closes the selection screen
    QCOMPARE(f.beeper.count, 3);
    QVERIFY(!w.fraSet->isVisible());
}

QTEST_MAIN(tst_boardentry)
#include "tst_boardentry.moc"
