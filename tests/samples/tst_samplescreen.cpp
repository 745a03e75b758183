#include "SampleHelpers.h"
#include "samples/SampleTexts.h"

using namespace Qt::Literals::StringLiterals;
using namespace SampleHelpers;

namespace {
// Whether the sample list (true) or the board (false) is on show, with the button caption of
// each.
bool showing(frmTalk &w, bool list)
{
    return w.grdEx->isVisible() == list && w.grdBoard->isVisible() != list &&
           w.cmdSamp->text() == (list ? u"例文終了"_s : u"例文表示"_s);
}

// The questions asked so far, each as its prompt and kind.
QStringList asked(const TalkFixture &f)
{
    QStringList questions;
    for (const auto &q : f.asker.asked)
        questions.append(u"%1 %2"_s.arg(q.prompt).arg(q.kind));
    return questions;
}

QString question(const char16_t *prompt, int kind)
{
    return u"%1 %2"_s.arg(QString::fromUtf16(prompt)).arg(kind);
}

// A window over Talk.txt holding "あい" and "かさ", the list shown once so that row 0 reads
// "日記", beeping on clicks; with `lost`, Talk.txt can be neither read nor written from then on.
frmTalk &start(TalkFixture &f, bool lost = false)
{
    f.settings.values.insert(u"Beep"_s, u"1"_s);
    writeSamples(f, {u"あい"_s, u"かさ"_s});
    frmTalk &w = f.create();
    f.click("cmdSamp");
    if (lost)
        makeTalkTxtADirectory(f);
    return w;
}

const QStringList kFile{placeholderLine(), u"\"あい\""_s, u"\"かさ\""_s};
} // namespace

class tst_samplescreen : public QObject
{
    Q_OBJECT

  private slots:
    void showDecideAndClose();
    void changeList_data();
    void changeList();
    void startAgain();
};

void tst_samplescreen::showDecideAndClose()
{
    TalkFixture f;
    writeSamples(f, numbered(u"か"_s, 30));
    frmTalk &w = f.create();
    f.click("cmdSamp");
    QVERIFY(showing(w, true));
    QCOMPARE(w.txtTalk->text(), u"_"_s);
    QVERIFY(w.isEnabled());

    // Closing and showing again starts at row 0, scrolled to the top.
    w.grdEx->setTopRow(12);
    f.click("cmdSamp");
    QVERIFY(showing(w, false));
    f.click("cmdSamp");
    QCOMPARE(w.grdEx->topRow(), 0);
    QCOMPARE(highlightedRows(w.grdEx, 1), QList<int>{0});

    // "決定" puts the chosen sentence in at the caret and goes back to the board.
    f.setShown(u"あ[い]う_"_s);
    f.clickCell("grdEx", 2, 1);
    f.click("cmdDec");
    QCOMPARE(f.shown(), u"あか01[い]う_"_s);
    QVERIFY(showing(w, false));
    QVERIFY(w.isEnabled());
    QVERIFY(w.txtTalk->hasFocus());
}

void tst_samplescreen::changeList_data()
{
    // "add <composition>" registers after closing the list; "delete <row>" clicks the row (-1:
    // below the last row, which keeps row 0) and deletes it, the question answered `answer`.
    QTest::addColumn<QString>("action");
    QTest::addColumn<bool>("answer");
    QTest::addColumn<bool>("lost");
    QTest::addColumn<QStringList>("questions");
    QTest::addColumn<QStringList>("list"); // empty: the board screen stays
    QTest::addColumn<int>("row");          // highlighted
    QTest::addColumn<QStringList>("file");
    const QString sure = question(SampleTexts::kDeleteQuestion, 33);
    const QString refused = question(SampleTexts::kSaveFailed, 48);
    const QStringList all{u"日記"_s, u"あい"_s, u"かさ"_s};
    QTest::newRow("new, trimmed") << u"add  いえ _"_s << false << false << QStringList()
                                  << QStringList{u"日記"_s, u"あい"_s, u"いえ"_s, u"かさ"_s} << 2
                                  << kFile + QStringList{u"\"いえ\""_s};
    QTest::newRow("duplicate of the last row")
        << u"add かさ _"_s << false << false << QStringList{question(SampleTexts::kDuplicate, 48)}
        << QStringList() << -1 << kFile;
    QTest::newRow("メモ") << u"add  メモ _"_s << false << false
                          << QStringList{question(SampleTexts::kReservedRefused, 48)}
                          << QStringList() << -1 << kFile;
    QTest::newRow("save fails: kept in the list")
        << u"add 1時_"_s << false << true << QStringList{refused}
        << QStringList{u"日記"_s, u"1時"_s, u"あい"_s, u"かさ"_s} << 1 << QStringList();
    QTest::newRow("delete confirmed") << u"delete 1"_s << true << false << QStringList{sure}
                                      << QStringList{u"日記"_s, QString(), u"かさ"_s} << 1
                                      << QStringList{placeholderLine(), u"\"かさ\""_s};
    QTest::newRow("delete cancelled")
        << u"delete 1"_s << false << false << QStringList{sure} << all << 1 << kFile;
    QTest::newRow("below the last row: 日記 is never deleted")
        << u"delete -1"_s << true << false << QStringList() << all << 0 << kFile;
    QTest::newRow("delete, save fails: put back")
        << u"delete 1"_s << true << true << QStringList{sure, refused} << all << 1 << QStringList();
}

void tst_samplescreen::changeList()
{
    QFETCH(QString, action);
    QFETCH(bool, answer);
    QFETCH(bool, lost);
    QFETCH(QStringList, list);
    TalkFixture f;
    frmTalk &w = start(f, lost);
    const QString argument = action.section(u' ', 1);
    if (action.startsWith(u"add")) {
        f.click("cmdSamp");
        w.txtTalk->setText(argument);
        f.click("cmdSampADD");
        QCOMPARE(w.txtTalk->text(), argument);
        QVERIFY(!f.busy.isBusy());
    } else {
        QWidget *view = w.grdEx->viewport();
        if (argument.toInt() < 0)
            QTest::mouseClick(view, Qt::LeftButton, {}, QPoint(10, view->height() - 2));
        else
            f.clickCell("grdEx", argument.toInt(), 1);
        QCOMPARE(f.beeper.count, argument.toInt() < 0 ? 0 : 1);
        QVERIFY(w.txtTalk->hasFocus());
        f.asker.answers = {answer};
        f.click("cmdSampDel");
    }
    QTEST(asked(f), "questions");
    QTEST(fileLines(f), "file");
    QVERIFY(showing(w, !list.isEmpty()));
    if (list.isEmpty())
        return;
    QCOMPARE(column(w.grdEx, 1), list);
    QFETCH(int, row);
    QCOMPARE(highlightedRows(w.grdEx, 1), QList<int>{row});
}

void tst_samplescreen::startAgain()
{
    TalkFixture f;
    frmTalk &w = f.create();
    w.txtTalk->setText(u"あい_"_s);
    FlexGrid &board = *w.grdBoard;
    board.setRow(4);
    board.setCol(board.cols() - 1);
    board.setCellBackColor(Units::Colour::LightGreen);
    f.asker.answers = {false, true};
    f.click("cmdStart"); // no: everything stays
    QCOMPARE(w.txtTalk->text(), u"あい_"_s);
    QCOMPARE(highlightedRows(&board, board.cols() - 1), QList<int>{4});
    f.click("cmdStart"); // yes: the text and the board's colours are cleared
    QCOMPARE(asked(f), QStringList(2, question(SampleTexts::kStartQuestion, 33)));
    QCOMPARE(w.txtTalk->text(), QString());
    QCOMPARE(highlightedRows(&board, board.cols() - 1), QList<int>());
}

QTEST_MAIN(tst_samplescreen)
#include "tst_samplescreen.moc"
