#include "SampleHelpers.h"
#include "TalkFixture.h"
#include "platform/DesignLayout.h"
#include "platform/FlexGrid.h"
#include "platform/TextBox.h"

#include <QFrame>
#include <QPushButton>
#include <QTest>

using namespace Qt::Literals::StringLiterals;
using namespace SampleHelpers;

namespace {
constexpr qint64 kGreen = 8454016;
constexpr qint64 kWhite = 16777215;

bool onListScreen(frmTalk &w)
{
    return w.grdEx->isVisible() && !w.grdBoard->isVisible() && w.fraTalk->isVisible() &&
           !w.fraRes->isVisible() && w.cmdSampDel->isVisible() && !w.cmdSampADD->isVisible() &&
           w.cmdSamp->text() == u"例文終了"_s;
}

bool onBoardScreen(frmTalk &w)
{
    return !w.grdEx->isVisible() && w.grdBoard->isVisible() && !w.fraTalk->isVisible() &&
           w.fraRes->isVisible() && !w.cmdSampDel->isVisible() && w.cmdSampADD->isVisible() &&
           w.cmdSamp->text() == u"例文表示"_s;
}

// Rows whose sentence columns are highlighted.
QList<int> highlighted(const FlexGrid *g)
{
    QList<int> rows;
    for (int r = 0; r < g->rows(); ++r)
        if (g->cellBackColor(r, 1) == kGreen)
            rows.append(r);
    return rows;
}

QStringList manySamples(int count)
{
    QStringList s;
    for (int i = 0; i < count; ++i)
        s.append(u"か%1"_s.arg(i, 2, 10, QChar(u'0')));
    return s;
}
} // namespace

class tst_samplescreen : public QObject
{
    Q_OBJECT

  private slots:
    void showAndCloseTheList();
    void showingScrollsRowZeroToTheTop();
    void pressColours();
    void clickHighlightsAndBeeps();
    void clickBelowTheLastRowIsIgnored();
    void registerNewSentence();
    void registerNothing_data();
    void registerNothing();
    void registerDuplicate();
    void registerReservedIsRefused_data();
    void registerReservedIsRefused();
    void deleteSentence();
    void deleteRefusedOrCancelled();
    void decideInserts_data();
    void decideInserts();
    void decideOnDiaryOpensTheDiary();
    void decideWithNoList();
    void startAgain_data();
    void startAgain();
    void diaryEndAsksOnlyWithAnEntryOpen();
    void diaryEndWithYesSavesTheEntry();
    void failedRegisterKeepsTheSentence();
    void failedDeletePutsTheSentenceBack();
    void unreadableFileIsNotOverwritten();
};

void tst_samplescreen::showAndCloseTheList()
{
    TalkFixture f;
    writeSamples(f, {u"おはよう"_s, u"ありがとう"_s});
    frmTalk &w = f.create();
    QCOMPARE(w.grdEx->textMatrix(0, 1), QString::fromUtf16(SampleFile::kPlaceholder));
    DesignLayout::setHeight(w.fraText, 5000);
    w.cmdWide->setText(u"狭める"_s);
    f.click("cmdSamp");
    QVERIFY(onListScreen(w));
    QVERIFY(!w.grdSp->isVisible() && !w.grdDay->isVisible());
    QCOMPARE(column(w.grdEx, 1), (QStringList{u"日記"_s, u"ありがとう"_s, u"おはよう"_s}));
    QCOMPARE(w.state().gListRow, 0);
    QCOMPARE(highlighted(w.grdEx), QList<int>{0});
    QCOMPARE(w.grdEx->cellBackColor(0, 0), kWhite);
    QCOMPARE(DesignLayout::rect(w.grdEx), DesignLayout::rect(w.grdBoard));
    QCOMPARE(w.grdEx->colWidth(0), 2400);
    QCOMPARE(w.grdEx->colWidth(1), DesignLayout::rect(w.grdBoard).width() - 2400 - 338);
    QCOMPARE(DesignLayout::rect(w.fraText).height(), 2445);
    QCOMPARE(w.cmdWide->text(), u"広げる"_s);
    QCOMPARE(w.txtTalk->text(), u"_"_s);
    QVERIFY(w.isEnabled());
    QVERIFY(!f.busy.isBusy());

    DesignLayout::setBackColour(w.txtTalk, kGreen);
    f.click("cmdSamp");
    QVERIFY(onBoardScreen(w));
    QCOMPARE(DesignLayout::backColour(w.txtTalk), kWhite);
    QCOMPARE(w.txtTalk->text(), u"_"_s);
}

void tst_samplescreen::showingScrollsRowZeroToTheTop()
{
    TalkFixture f;
    writeSamples(f, manySamples(30));
    frmTalk &w = f.create();
    f.click("cmdSamp");
    w.grdEx->setTopRow(12);
    f.click("cmdSamp");
    f.click("cmdSamp");
    QCOMPARE(w.grdEx->topRow(), 0);
    QCOMPARE(highlighted(w.grdEx), QList<int>{0});
}

void tst_samplescreen::pressColours()
{
    TalkFixture f;
    frmTalk &w = f.create();
    QTest::mousePress(w.cmdSamp, Qt::LeftButton);
    QCOMPARE(DesignLayout::backColour(w.cmdSamp), 12582912);
    QTest::mouseRelease(w.cmdSamp, Qt::LeftButton);
    QCOMPARE(DesignLayout::backColour(w.cmdSamp), 16761024);
}

void tst_samplescreen::clickHighlightsAndBeeps()
{
    TalkFixture f;
    f.settings.values.insert(u"Beep"_s, u"1"_s);
    writeSamples(f, {u"あい"_s, u"かさ"_s});
    frmTalk &w = f.create();
    f.click("cmdSamp");
    f.clickCell("grdEx", 2, 1);
    QCOMPARE(w.state().gListRow, 2);
    QCOMPARE(highlighted(w.grdEx), QList<int>{2});
    QCOMPARE(f.beeper.count, 1);
    QVERIFY(w.txtTalk->hasFocus());
}

void tst_samplescreen::clickBelowTheLastRowIsIgnored()
{
    TalkFixture f;
    f.settings.values.insert(u"Beep"_s, u"1"_s);
    writeSamples(f, {u"あい"_s});
    frmTalk &w = f.create();
    f.click("cmdSamp");
    QTest::mouseClick(w.grdEx->viewport(), Qt::LeftButton, {},
                      QPoint(10, w.grdEx->viewport()->height() - 2));
    QCOMPARE(w.grdEx->mouseRow(), -1);
    QCOMPARE(w.state().gListRow, 0);
    QCOMPARE(highlighted(w.grdEx), QList<int>{0});
    QCOMPARE(f.beeper.count, 0);
}

void tst_samplescreen::registerNewSentence()
{
    TalkFixture f;
    writeSamples(f, manySamples(12) + QStringList{u"さる"_s});
    frmTalk &w = f.create();
    w.txtTalk->setText(u" あさ _"_s);
    f.click("cmdSampADD");
    QVERIFY(onListScreen(w));
    QVERIFY(fileLines(f).contains(u"\"あさ\""_s));
    QCOMPARE(column(w.grdEx, 1).indexOf(u"あさ"_s), 1);
    QCOMPARE(w.grdEx->textMatrix(1, 0), u"あ行"_s);
    QCOMPARE(w.state().gListRow, 1);
    QCOMPARE(highlighted(w.grdEx), QList<int>{1});
    QCOMPARE(w.grdEx->topRow(), 1);
    QCOMPARE(w.grdEx->colWidth(0), 2500);
    QCOMPARE(w.grdEx->colWidth(1), DesignLayout::rect(w.grdBoard).width() - 2500);
    QCOMPARE(w.txtTalk->text(), u" あさ _"_s);
    QVERIFY(f.asker.asked.isEmpty());
    QVERIFY(!f.busy.isBusy());
}

void tst_samplescreen::registerNothing_data()
{
    QTest::addColumn<QString>("composition");
    QTest::newRow("empty") << QString();
    QTest::newRow("end marker") << u"_"_s;
    QTest::newRow("spaces and marker") << u"  _"_s;
}

void tst_samplescreen::registerNothing()
{
    QFETCH(QString, composition);
    TalkFixture f;
    writeSamples(f, {u"あい"_s});
    const QByteArray before = f.readFile(u"Talk.txt"_s);
    frmTalk &w = f.create();
    w.txtTalk->setText(composition);
    f.click("cmdSampADD");
    QVERIFY(onBoardScreen(w));
    QCOMPARE(f.readFile(u"Talk.txt"_s), before);
    QVERIFY(f.asker.asked.isEmpty());
}

void tst_samplescreen::registerDuplicate()
{
    TalkFixture f;
    writeSamples(f, {u"あい"_s});
    const QByteArray before = f.readFile(u"Talk.txt"_s);
    frmTalk &w = f.create();
    w.txtTalk->setText(u"あい _"_s);
    f.click("cmdSampADD");
    QCOMPARE(f.asker.asked.size(), 1);
    QCOMPARE(f.asker.asked[0].prompt, u"同一文が登録されています"_s);
    QCOMPARE(f.asker.asked[0].kind, 48);
    QCOMPARE(f.asker.asked[0].title, u"例文登録"_s);
    QCOMPARE(f.readFile(u"Talk.txt"_s), before);
    QVERIFY(onBoardScreen(w));
    QVERIFY(!f.busy.isBusy());
}

void tst_samplescreen::registerReservedIsRefused_data()
{
    QTest::addColumn<QString>("composition");
    QTest::newRow("日記") << u"日記_"_s;
    QTest::newRow("メモ") << u" メモ _"_s;
    QTest::newRow("placeholder") << QString::fromUtf16(SampleFile::kPlaceholder);
}

void tst_samplescreen::registerReservedIsRefused()
{
    QFETCH(QString, composition);
    TalkFixture f;
    writeSamples(f, {u"あい"_s});
    const QByteArray before = f.readFile(u"Talk.txt"_s);
    frmTalk &w = f.create();
    f.click("cmdSamp"); // row 0 now reads "日記"
    f.click("cmdSamp");
    w.txtTalk->setText(composition);
    f.click("cmdSampADD");
    QCOMPARE(f.asker.asked.size(), 1);
    QCOMPARE(f.asker.asked[0].kind, 48);
    QVERIFY(f.asker.asked[0].prompt != u"同一文が登録されています"_s);
    QCOMPARE(f.readFile(u"Talk.txt"_s), before);
    QVERIFY(!f.busy.isBusy());
}

void tst_samplescreen::deleteSentence()
{
    TalkFixture f;
    writeSamples(f, {u"あい"_s, u"かさ"_s});
    frmTalk &w = f.create();
    f.click("cmdSamp");
    f.clickCell("grdEx", 1, 1);
    f.asker.answers = {true};
    f.click("cmdSampDel");
    QCOMPARE(f.asker.asked.size(), 1);
    QCOMPARE(f.asker.asked[0].prompt, u"上記例文を削除してもいいですか？"_s);
    QCOMPARE(f.asker.asked[0].kind, 33);
    QCOMPARE(f.asker.asked[0].title, u"例文の削除"_s);
    QCOMPARE(column(w.grdEx, 1), (QStringList{u"日記"_s, QString(), u"かさ"_s}));
    QCOMPARE(w.grdEx->textMatrix(1, 0), u"あ行"_s);
    QCOMPARE(highlighted(w.grdEx), QList<int>{1});
    QCOMPARE(fileLines(f), (QStringList{placeholderLine(), u"\"かさ\""_s}));
    QVERIFY(w.state().gSampleList.contains(u"あい"_s));
    f.click("cmdSamp");
    f.click("cmdSamp");
    QCOMPARE(column(w.grdEx, 1), (QStringList{u"日記"_s, u"かさ"_s}));
}

void tst_samplescreen::deleteRefusedOrCancelled()
{
    TalkFixture f;
    writeSamples(f, {u"あい"_s});
    const QByteArray before = f.readFile(u"Talk.txt"_s);
    frmTalk &w = f.create();
    f.click("cmdSamp");
    f.click("cmdSampDel"); // on "日記": no question
    QVERIFY(f.asker.asked.isEmpty());
    f.clickCell("grdEx", 1, 1);
    f.asker.answers = {false};
    f.click("cmdSampDel");
    QCOMPARE(f.asker.asked.size(), 1);
    QCOMPARE(w.grdEx->textMatrix(1, 1), u"あい"_s);
    QCOMPARE(f.readFile(u"Talk.txt"_s), before);
}

void tst_samplescreen::decideInserts_data()
{
    QTest::addColumn<QString>("composition");
    QTest::addColumn<int>("caret");
    QTest::addColumn<QString>("result");
    QTest::addColumn<int>("selStart");
    QTest::addColumn<int>("selLength");
    QTest::newRow("caret at 0") << u"あいう_"_s << 0 << u"こんにちはあいう_"_s << 5 << 1;
    QTest::newRow("on the end marker") << u"あいう_"_s << 3 << u"あいうこんにちは_"_s << 8 << 1;
    QTest::newRow("empty text") << QString() << 0 << u"こんにちは"_s << 5 << 0;
}

void tst_samplescreen::decideInserts()
{
    QFETCH(QString, composition);
    QFETCH(int, caret);
    QFETCH(QString, result);
    QFETCH(int, selStart);
    QFETCH(int, selLength);
    TalkFixture f;
    writeSamples(f, {u"こんにちは"_s});
    frmTalk &w = f.create();
    f.click("cmdSamp");
    w.txtTalk->setText(composition);
    w.txtTalk->select(caret, composition.isEmpty() ? 0 : 1);
    f.clickCell("grdEx", 1, 1);
    f.click("cmdDec");
    QCOMPARE(w.txtTalk->text(), result);
    QCOMPARE(w.txtTalk->selStart(), selStart);
    QCOMPARE(w.txtTalk->selLength(), selLength);
    QVERIFY(onBoardScreen(w));
    QVERIFY(w.isEnabled());
    QVERIFY(w.txtTalk->hasFocus());
}

void tst_samplescreen::decideOnDiaryOpensTheDiary()
{
    TalkFixture f;
    writeSamples(f, {u"あい"_s});
    frmTalk &w = f.create();
    f.click("cmdSamp");
    f.click("cmdDec");
    QCOMPARE(w.cmdSamp->text(), u"日記終了"_s);
    QVERIFY(!w.grdEx->isVisible());
    QVERIFY(!w.cmdSampADD->isVisible() && !w.cmdSampDel->isVisible());
    QVERIFY(w.fraTalk->isVisible());
    QVERIFY(!w.fraRes->isVisible());
    QVERIFY(w.isEnabled());
}

void tst_samplescreen::decideWithNoList()
{
    TalkFixture f;
    frmTalk &w = f.create();
    w.fraTalk->show();
    w.txtTalk->setText(u"あい_"_s);
    w.txtTalk->setSelStart(1);
    f.click("cmdDec");
    QVERIFY(!w.fraTalk->isVisible());
    QVERIFY(w.isEnabled());
    QCOMPARE(w.txtTalk->text(), u"あい_"_s);
    QCOMPARE(w.txtTalk->selStart(), 1);
    QCOMPARE(w.txtTalk->selLength(), 1);
}

void tst_samplescreen::startAgain_data()
{
    QTest::addColumn<bool>("answer");
    QTest::newRow("yes") << true;
    QTest::newRow("no") << false;
}

void tst_samplescreen::startAgain()
{
    QFETCH(bool, answer);
    TalkFixture f;
    frmTalk &w = f.create();
    w.txtTalk->setText(u"あい_"_s);
    FlexGrid &board = *w.grdBoard;
    board.setRow(4);
    board.setCol(0);
    board.setColSel(board.cols() - 1);
    board.setCellBackColor(kGreen);
    f.asker.answers = {answer};
    f.click("cmdStart");
    QCOMPARE(f.asker.asked.size(), 1);
    QCOMPARE(f.asker.asked[0].prompt, u"はじめからでよろしいですか？"_s);
    QCOMPARE(f.asker.asked[0].kind, 33);
    QCOMPARE(f.asker.asked[0].title, u"例文登録"_s);
    QCOMPARE(w.txtTalk->text(), answer ? QString() : u"あい_"_s);
    QCOMPARE(board.cellBackColor(4, board.cols() - 1), answer ? kWhite : kGreen);
    QCOMPARE(board.cellBackColor(4, 0), answer ? kWhite : kGreen);
}

void tst_samplescreen::diaryEndAsksOnlyWithAnEntryOpen()
{
    TalkFixture f;
    frmTalk &w = f.create();
    w.cmdSamp->setText(u"日記終了"_s);
    w.grdDay->show();
    w.fraDay->show();
    f.click("cmdSamp");
    QVERIFY(f.asker.asked.isEmpty());
    QVERIFY(onBoardScreen(w));
    QVERIFY(!w.fraDay->isVisible() && !w.grdDay->isVisible());

    w.cmdSamp->setText(u"日記終了"_s);
    w.fraDay->show();
    f.click("cmdSamp");
    QCOMPARE(f.asker.asked.size(), 1);
    QCOMPARE(f.asker.asked[0].prompt, u"日記を登録して終了します"_s);
    QCOMPARE(f.asker.asked[0].kind, 36);
    QCOMPARE(f.asker.asked[0].title, u"日記の終了"_s);
    QVERIFY(onBoardScreen(w));
}

void tst_samplescreen::diaryEndWithYesSavesTheEntry()
{
    TalkFixture f;
    frmTalk &w = f.create();
    f.click("cmdSamp");
    f.click("cmdDec"); // "日記": the diary list
    QVERIFY(w.grdDay->isVisible());
    f.click("cmdDec"); // today's entry
    QVERIFY(w.fraDay->isVisible());
    w.txtTalk->setText(u"はれ"_s);
    f.asker.answers = {true};
    f.click("cmdSamp");
    QCOMPARE(f.asker.asked.size(), 1);
    QVERIFY(onBoardScreen(w));
    QVERIFY(TextFile::readLines(f.filePath(u"day.txt"_s)).lines.join(u'\n').contains(u"はれ"_s));
}

void tst_samplescreen::failedRegisterKeepsTheSentence()
{
    TalkFixture f;
    writeSamples(f, {u"あい"_s});
    frmTalk &w = f.create();
    f.click("cmdSamp");
    f.click("cmdSamp");
    makeTalkTxtADirectory(f);
    w.txtTalk->setText(u"1時_"_s);
    f.click("cmdSampADD");
    QCOMPARE(f.asker.asked.size(), 1);
    QCOMPARE(f.asker.asked[0].kind, 48);
    QCOMPARE(f.asker.asked[0].title, u"例文登録"_s);
    QVERIFY(onListScreen(w));
    QCOMPARE(column(w.grdEx, 1), (QStringList{u"日記"_s, u"1時"_s, u"あい"_s}));
    QCOMPARE(w.state().gListRow, 1);
    QCOMPARE(highlighted(w.grdEx), QList<int>{1});
    QVERIFY(!f.busy.isBusy());
}

void tst_samplescreen::failedDeletePutsTheSentenceBack()
{
    TalkFixture f;
    writeSamples(f, {u"あい"_s});
    frmTalk &w = f.create();
    f.click("cmdSamp");
    makeTalkTxtADirectory(f);
    f.clickCell("grdEx", 1, 1);
    f.asker.answers = {true};
    f.click("cmdSampDel");
    QCOMPARE(f.asker.asked.size(), 2);
    QCOMPARE(f.asker.asked[1].kind, 48);
    QCOMPARE(f.asker.asked[1].title, u"例文の削除"_s);
    QCOMPARE(w.grdEx->textMatrix(1, 1), u"あい"_s);
}

void tst_samplescreen::unreadableFileIsNotOverwritten()
{
    TalkFixture f;
    makeTalkTxtADirectory(f);
    frmTalk &w = f.create();
    f.click("cmdSamp");
    QCOMPARE(column(w.grdEx, 1), QStringList{u"日記"_s});
    f.click("cmdSamp");
    w.txtTalk->setText(u"あい_"_s);
    f.click("cmdSampADD");
    QCOMPARE(f.asker.asked.size(), 1);
    QCOMPARE(f.asker.asked[0].kind, 48);
    QCOMPARE(column(w.grdEx, 1), (QStringList{u"日記"_s, u"あい"_s}));
    QVERIFY(QFileInfo(f.filePath(u"Talk.txt"_s)).isDir());
}

QTEST_MAIN(tst_samplescreen)
#include "tst_samplescreen.moc"
