#include "SampleHelpers.h"
#include "TalkFixture.h"
#include "platform/DesignLayout.h"
#include "platform/FlexGrid.h"
#include "platform/TextBox.h"
#include "samples/SampleTexts.h"

#include <QFileInfo>
#include <QFrame>
#include <QPushButton>
#include <QTest>

using namespace Qt::Literals::StringLiterals;
using namespace SampleHelpers;

namespace {
constexpr qint64 kGreen = 8454016;
constexpr qint64 kWhite = 16777215;

// What goes wrong with Talk.txt: nothing, it cannot be read from the start, or it becomes
// unwritable after the list was loaded.
enum class FileFault
{
    None,
    UnreadableAtStart,
    LostAfterLoad
};

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

// The prompts asked so far, each with its kind and title.
QStringList asked(const TalkFixture &f)
{
    QStringList questions;
    for (const auto &q : f.asker.asked)
        questions.append(u"%1 %2 %3"_s.arg(q.prompt).arg(q.kind).arg(q.title));
    return questions;
}

QString question(const char16_t *prompt, int kind, const char16_t *title)
{
    return u"%1 %2 %3"_s.arg(QString::fromUtf16(prompt)).arg(kind).arg(QString::fromUtf16(title));
}

// A window over Talk.txt holding "あい" and "かさ", the list shown once so that row 0 reads
// "日記", with `fault` in place.
frmTalk &start(TalkFixture &f, FileFault fault)
{
    writeSamples(f, {u"あい"_s, u"かさ"_s});
    if (fault == FileFault::UnreadableAtStart)
        makeTalkTxtADirectory(f);
    frmTalk &w = f.create();
    f.click("cmdSamp");
    if (fault == FileFault::LostAfterLoad)
        makeTalkTxtADirectory(f);
    return w;
}

const QStringList kFile{placeholderLine(), u"\"あい\""_s, u"\"かさ\""_s};
} // namespace

Q_DECLARE_METATYPE(FileFault)

class tst_samplescreen : public QObject
{
    Q_OBJECT

  private slots:
    void showAndCloseTheList();
    void click_data();
    void click();
    void registerSentence_data();
    void registerSentence();
    void deleteSentence_data();
    void deleteSentence();
    void decideInserts_data();
    void decideInserts();
    void decideWithNoList();
    void startAgain_data();
    void startAgain();
    void diaryEnd_data();
    void diaryEnd();
};

void tst_samplescreen::showAndCloseTheList()
{
    TalkFixture f;
    QStringList samples{u"おはよう"_s, u"ありがとう"_s, u"まど"_s};
    for (int i = 0; i < 30; ++i)
        samples.append(u"か%1"_s.arg(i, 2, 10, QChar(u'0')));
    writeSamples(f, samples);
    frmTalk &w = f.create();
    QCOMPARE(w.grdEx->textMatrix(0, 1), QString::fromUtf16(SampleFile::kPlaceholder));
    DesignLayout::setHeight(w.fraText, 5000);
    f.click("cmdSamp");
    QVERIFY(onListScreen(w));
    QCOMPARE(column(w.grdEx, 1).mid(0, 4),
             (QStringList{u"日記"_s, u"ありがとう"_s, u"おはよう"_s, u"か00"_s}));
    QCOMPARE(column(w.grdEx, 0).mid(0, 4),
             (QStringList{QString(), u"あ行"_s, QString(), u"か行"_s}));
    QCOMPARE(w.grdEx->textMatrix(33, 0), u"ま行"_s);
    QCOMPARE(highlighted(w.grdEx), QList<int>{0});
    QCOMPARE(DesignLayout::rect(w.grdEx), DesignLayout::rect(w.grdBoard));
    QCOMPARE(DesignLayout::rect(w.fraText).height(), 2445);
    QCOMPARE(w.txtTalk->text(), u"_"_s);
    QVERIFY(w.isEnabled());
    QVERIFY(!f.busy.isBusy());

    // Closing and showing again starts at row 0, scrolled to the top.
    w.grdEx->setTopRow(12);
    DesignLayout::setBackColour(w.txtTalk, kGreen);
    f.click("cmdSamp");
    QVERIFY(onBoardScreen(w));
    QCOMPARE(DesignLayout::backColour(w.txtTalk), kWhite);
    f.click("cmdSamp");
    QCOMPARE(w.grdEx->topRow(), 0);
    QCOMPARE(highlighted(w.grdEx), QList<int>{0});
}

void tst_samplescreen::click_data()
{
    QTest::addColumn<bool>("belowTheLastRow");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("beeps");
    QTest::newRow("a sentence") << false << 2 << 1;
    QTest::newRow("below the last row: ignored") << true << 0 << 0;
}

void tst_samplescreen::click()
{
    QFETCH(bool, belowTheLastRow);
    QFETCH(int, row);
    TalkFixture f;
    f.settings.values.insert(u"Beep"_s, u"1"_s);
    frmTalk &w = start(f, FileFault::None);
    if (belowTheLastRow)
        QTest::mouseClick(w.grdEx->viewport(), Qt::LeftButton, {},
                          QPoint(10, w.grdEx->viewport()->height() - 2));
    else
        f.clickCell("grdEx", row, 1);
    QCOMPARE(w.state().gListRow, row);
    QCOMPARE(highlighted(w.grdEx), QList<int>{row});
    QTEST(f.beeper.count, "beeps");
    QVERIFY(w.txtTalk->hasFocus());
}

void tst_samplescreen::registerSentence_data()
{
    QTest::addColumn<QString>("composition");
    QTest::addColumn<FileFault>("fault");
    QTest::addColumn<QStringList>("questions");
    QTest::addColumn<QStringList>("list"); // empty: the board screen stays
    QTest::addColumn<int>("row");          // the new sentence's row, highlighted
    QTest::addColumn<QStringList>("file");
    const QString refused = question(SampleTexts::kReservedRefused, 48, SampleTexts::kAddTitle);
    const QString failed = question(SampleTexts::kSaveFailed, 48, SampleTexts::kAddTitle);
    QTest::newRow("new, trimmed") << u" いえ _"_s << FileFault::None << QStringList()
                                  << QStringList{u"日記"_s, u"あい"_s, u"いえ"_s, u"かさ"_s} << 2
                                  << kFile + QStringList{u"\"いえ\""_s};
    QTest::newRow("empty") << QString() << FileFault::None << QStringList() << QStringList() << -1
                           << kFile;
    QTest::newRow("spaces") << u"  _"_s << FileFault::None << QStringList() << QStringList() << -1
                            << kFile;
    QTest::newRow("duplicate of the last row")
        << u"かさ _"_s << FileFault::None
        << QStringList{question(SampleTexts::kDuplicate, 48, SampleTexts::kAddTitle)}
        << QStringList() << -1 << kFile;
    QTest::newRow("日記") << u"日記_"_s << FileFault::None << QStringList{refused} << QStringList()
                          << -1 << kFile;
    QTest::newRow("メモ") << u" メモ _"_s << FileFault::None << QStringList{refused}
                          << QStringList() << -1 << kFile;
    QTest::newRow("placeholder") << QString::fromUtf16(SampleFile::kPlaceholder) << FileFault::None
                                 << QStringList{refused} << QStringList() << -1 << kFile;
    QTest::newRow("save fails: kept in the list")
        << u"1時_"_s << FileFault::LostAfterLoad << QStringList{failed}
        << QStringList{u"日記"_s, u"1時"_s, u"あい"_s, u"かさ"_s} << 1 << QStringList();
    QTest::newRow("unreadable file: not overwritten")
        << u"あい_"_s << FileFault::UnreadableAtStart << QStringList{failed}
        << QStringList{u"日記"_s, u"あい"_s} << 1 << QStringList();
}

void tst_samplescreen::registerSentence()
{
    QFETCH(QString, composition);
    QFETCH(FileFault, fault);
    QFETCH(QStringList, list);
    QFETCH(int, row);
    QFETCH(QStringList, file);
    TalkFixture f;
    frmTalk &w = start(f, fault);
    f.click("cmdSamp");
    w.txtTalk->setText(composition);
    f.click("cmdSampADD");
    QTEST(asked(f), "questions");
    QCOMPARE(fileLines(f), file);
    QVERIFY(!f.busy.isBusy());
    QCOMPARE(w.txtTalk->text(), composition);
    if (list.isEmpty()) {
        QVERIFY(onBoardScreen(w));
        return;
    }
    QVERIFY(onListScreen(w));
    QCOMPARE(column(w.grdEx, 1), list);
    QCOMPARE(highlighted(w.grdEx), QList<int>{row});
}

void tst_samplescreen::deleteSentence_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<bool>("answer");
    QTest::addColumn<FileFault>("fault");
    QTest::addColumn<QStringList>("questions");
    QTest::addColumn<QStringList>("list");
    QTest::addColumn<QStringList>("file");
    const QString sure = question(SampleTexts::kDeleteQuestion, 33, SampleTexts::kDeleteTitle);
    const QStringList all{u"日記"_s, u"あい"_s, u"かさ"_s};
    QTest::newRow("confirmed") << 1 << true << FileFault::None << QStringList{sure}
                               << QStringList{u"日記"_s, QString(), u"かさ"_s}
                               << QStringList{placeholderLine(), u"\"かさ\""_s};
    QTest::newRow("cancelled") << 1 << false << FileFault::None << QStringList{sure} << all
                               << kFile;
    QTest::newRow("日記 is never deleted")
        << 0 << true << FileFault::None << QStringList() << all << kFile;
    QTest::newRow("save fails: put back")
        << 1 << true << FileFault::LostAfterLoad
        << QStringList{sure, question(SampleTexts::kSaveFailed, 48, SampleTexts::kDeleteTitle)}
        << all << QStringList();
}

void tst_samplescreen::deleteSentence()
{
    QFETCH(int, row);
    QFETCH(bool, answer);
    QFETCH(FileFault, fault);
    TalkFixture f;
    frmTalk &w = start(f, fault);
    f.clickCell("grdEx", row, 1);
    f.asker.answers = {answer};
    f.click("cmdSampDel");
    QTEST(asked(f), "questions");
    QTEST(column(w.grdEx, 1), "list");
    QTEST(fileLines(f), "file");
    QCOMPARE(highlighted(w.grdEx), QList<int>{row});
}

void tst_samplescreen::decideInserts_data()
{
    QTest::addColumn<QString>("composition");
    QTest::addColumn<int>("caret");
    QTest::addColumn<QString>("result");
    QTest::addColumn<int>("selStart");
    QTest::addColumn<int>("selLength");
    QTest::newRow("caret at 0") << u"あいう_"_s << 0 << u"かさあいう_"_s << 2 << 1;
    QTest::newRow("on the end marker") << u"あいう_"_s << 3 << u"あいうかさ_"_s << 5 << 1;
    QTest::newRow("empty text") << QString() << 0 << u"かさ"_s << 2 << 0;
}

void tst_samplescreen::decideInserts()
{
    QFETCH(QString, composition);
    QFETCH(int, caret);
    TalkFixture f;
    frmTalk &w = start(f, FileFault::None);
    w.txtTalk->setText(composition);
    w.txtTalk->select(caret, composition.isEmpty() ? 0 : 1);
    f.clickCell("grdEx", 2, 1);
    f.click("cmdDec");
    QTEST(w.txtTalk->text(), "result");
    QTEST(w.txtTalk->selStart(), "selStart");
    QTEST(w.txtTalk->selLength(), "selLength");
    QVERIFY(onBoardScreen(w));
    QVERIFY(w.isEnabled());
    QVERIFY(w.txtTalk->hasFocus());
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
    QCOMPARE(asked(f),
             QStringList{question(SampleTexts::kStartQuestion, 33, SampleTexts::kAddTitle)});
    QCOMPARE(w.txtTalk->text(), answer ? QString() : u"あい_"_s);
    QCOMPARE(board.cellBackColor(4, board.cols() - 1), answer ? kWhite : kGreen);
    QCOMPARE(board.cellBackColor(4, 0), answer ? kWhite : kGreen);
}

void tst_samplescreen::diaryEnd_data()
{
    QTest::addColumn<bool>("entryOpen");
    QTest::addColumn<bool>("answer");
    QTest::newRow("from the diary list: no question") << false << true;
    QTest::newRow("entry open, yes: saved") << true << true;
    QTest::newRow("entry open, no: not saved") << true << false;
}

void tst_samplescreen::diaryEnd()
{
    QFETCH(bool, entryOpen);
    QFETCH(bool, answer);
    TalkFixture f;
    frmTalk &w = start(f, FileFault::None);
    f.click("cmdDec"); // on "日記": the diary list
    QVERIFY(w.grdDay->isVisible());
    QCOMPARE(w.cmdSamp->text(), u"日記終了"_s);
    if (entryOpen) {
        f.click("cmdDec"); // today's entry
        QVERIFY(w.fraDay->isVisible());
        w.txtTalk->setText(u"はれ"_s);
    }
    f.asker.answers = {answer};
    f.click("cmdSamp");
    QCOMPARE(asked(f), entryOpen ? QStringList{question(SampleTexts::kDiaryEndQuestion, 36,
                                                        SampleTexts::kDiaryEndTitle)}
                                 : QStringList());
    QVERIFY(onBoardScreen(w));
    QVERIFY(!w.fraDay->isVisible() && !w.grdDay->isVisible());
    const QStringList day = TextFile::readLines(f.filePath(u"day.txt"_s)).lines;
    QCOMPARE(day.join(u'\n').contains(u"はれ"_s), entryOpen && answer);
}

QTEST_MAIN(tst_samplescreen)
#include "tst_samplescreen.moc"
