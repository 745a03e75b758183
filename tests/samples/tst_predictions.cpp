#include "SampleHelpers.h"
#include "TalkFixture.h"
#include "platform/FlexGrid.h"
#include "platform/TextBox.h"
#include "samples/Predictions.h"

#include <QFrame>
#include <QTest>

using namespace Qt::Literals::StringLiterals;
using namespace SampleHelpers;

namespace {
// The window in one-click entry mode over `samples` with key length 2 and beeps on, the
// composition `text` with the caret at `caret` (-1: on its last character).
frmTalk &start(TalkFixture &f, const QStringList &samples, const QString &text, int caret = -1,
               bool samp = true)
{
    f.settings.values.insert(u"OPT1"_s, u"2"_s);
    f.settings.values.insert(u"Sample"_s, u"2"_s);
    f.settings.values.insert(u"Samp"_s, samp ? u"1"_s : u"0"_s);
    f.settings.values.insert(u"Beep"_s, u"1"_s);
    frmTalk &w = f.create();
    w.state().gSampleList = samples;
    w.txtTalk->setText(text);
    w.txtTalk->select(caret >= 0 ? caret : qMax(0, text.size() - 1), text.isEmpty() ? 0 : 1);
    return w;
}
} // namespace

// The board cells the tests press are all on row 0: あ in column 9, か in 8, は in 4.
class tst_predictions : public QObject
{
    Q_OBJECT

  private slots:
    void offer_data();
    void offer();
    void offerFromSelectionScreen();
    void blankKeyOffersNothing();
    void confirm_data();
    void confirm();
    void newListStartsAtTheTop();
};

void tst_predictions::offer_data()
{
    QTest::addColumn<bool>("samp");
    QTest::addColumn<QStringList>("samples");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("caret");
    QTest::addColumn<int>("col");
    QTest::addColumn<QStringList>("rows"); // empty: no list

    const QStringList aSamples{u"あいさつ"_s, u"か"_s, u"あした"_s, u"あ"_s};
    QTest::newRow("Samp 0") << false << aSamples << QString() << 0 << 9 << QStringList();
    QTest::newRow("one character before the marker")
        << true << aSamples << QString() << 0 << 9
        << QStringList{u"あ"_s, u"あいさつ"_s, u"あした"_s, u"あ"_s};
    QTest::newRow("key of the last characters only")
        << true << QStringList{u"いか"_s, u"あいか"_s} << u"あい_"_s << 2 << 8
        << QStringList{u"いか"_s, u"いか"_s};
    QTest::newRow("caret not at the end")
        << true << aSamples << u"あい_"_s << 1 << 8 << QStringList();
    QTest::newRow("no match; an empty sample never matches")
        << true << QStringList{QString(), u"か"_s} << QString() << 0 << 4 << QStringList();
    QTest::newRow("full-width space stays in the key")
        << true << QStringList{u"\u3000はい"_s, u"はい"_s} << u"\u3000_"_s << 1 << 4
        << QStringList{u"\u3000は"_s, u"\u3000はい"_s};
    QTest::newRow("ASCII blank trimmed, shorter sample compared whole")
        << true << QStringList{u"は"_s, u"はい"_s} << u" _"_s << 1 << 4
        << QStringList{u"は"_s, u"は"_s};
    QTest::newRow("diary placeholder is no sentence")
        << true << QStringList{QString::fromUtf16(SampleFile::kPlaceholder), u"あさ"_s} << QString()
        << 0 << 9 << QStringList{u"あ"_s, u"あさ"_s};
}

void tst_predictions::offer()
{
    QFETCH(bool, samp);
    QFETCH(QStringList, samples);
    QFETCH(QString, text);
    QFETCH(int, caret);
    QFETCH(int, col);
    QFETCH(QStringList, rows);
    TalkFixture f;
    frmTalk &w = start(f, samples, text, caret, samp);
    w.state().gListRow = 5;
    f.clickCell("grdBoard", 0, col);
    QVERIFY(!f.busy.isBusy());
    const bool offered = !rows.isEmpty();
    QCOMPARE(w.grdSp->isVisible(), offered);
    QCOMPARE(w.grdBoard->isVisible(), !offered);
    QCOMPARE(w.fraTalk->isVisible(), offered);
    if (!offered)
        return;
    QCOMPARE(column(w.grdSp, 0), rows);
    QCOMPARE(w.state().gListRow, 0);
    QCOMPARE(highlightedRows(w.grdSp, 0), QList<int>{0});
    // The end marker is the current character again.
    QCOMPARE(w.txtTalk->selStart(), w.txtTalk->length() - 1);
    QCOMPARE(w.txtTalk->selLength(), 1);
}

void tst_predictions::offerFromSelectionScreen()
{
    TalkFixture f;
    f.settings.values.insert(u"OPT1"_s, u"0"_s);
    frmTalk &w = f.create();
    w.state().gSampleList = {u"ぱん"_s};
    f.clickCell("grdBoard", 0, 4);
    f.clickCell("grdBoard2", 1, 0);
    QCOMPARE(w.txtTalk->text(), u"ぱ_"_s);
    QVERIFY(w.grdSp->isVisible());
    QVERIFY(!w.fraSet->isVisible());
    QCOMPARE(column(w.grdSp, 0), (QStringList{u"ぱ"_s, u"ぱん"_s}));
}

void tst_predictions::blankKeyOffersNothing()
{
    TalkFixture f;
    frmTalk &w = start(f, {QString()}, QString());
    w.predictions().ShowPredictions(u"  "_s);
    QVERIFY(!w.grdSp->isVisible());
    QVERIFY(w.grdBoard->isVisible());
}

void tst_predictions::confirm_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("col");
    QTest::addColumn<QStringList>("samples");
    QTest::addColumn<int>("pickRow");
    QTest::addColumn<QString>("textBeforeConfirm"); // null: as the entry left it
    QTest::addColumn<int>("caretBeforeConfirm");
    QTest::addColumn<QString>("result");
    QTest::addColumn<int>("resultStart");

    const QStringList ohayo{u"おはようございます"_s};
    QTest::newRow("text shorter than the key") << QString() << 9 << QStringList{u"あいさつ"_s} << 1
                                               << QString() << 0 << u"あいさつ_"_s << 4;
    QTest::newRow("key replaced by the sentence")
        << u"ねお_"_s << 4 << ohayo << 1 << QString() << 0 << u"ねおはようございます_"_s << 10;
    QTest::newRow("key row drops ASCII blanks")
        << u"ね _"_s << 4 << QStringList{u"は"_s} << 0 << QString() << 0 << u"ねは_"_s << 2;
    QTest::newRow("text without the end marker") << u"ねお_"_s << 4 << ohayo << 1 << u"ねおは_え"_s
                                                 << 3 << u"ねおはおはようございます_え"_s << 11;
}

void tst_predictions::confirm()
{
    QFETCH(QString, text);
    QFETCH(int, col);
    QFETCH(QStringList, samples);
    QFETCH(int, pickRow);
    QFETCH(QString, textBeforeConfirm);
    QFETCH(int, caretBeforeConfirm);
    TalkFixture f;
    frmTalk &w = start(f, samples, text);
    f.clickCell("grdBoard", 0, col);
    QVERIFY(w.grdSp->isVisible());
    const int beeps = f.beeper.count;
    if (pickRow != 0)
        f.clickCell("grdSp", pickRow, 0);
    QCOMPARE(f.beeper.count, beeps + (pickRow != 0 ? 1 : 0));
    QCOMPARE(highlightedRows(w.grdSp, 0), QList<int>{pickRow});
    if (!textBeforeConfirm.isNull()) {
        w.txtTalk->setText(textBeforeConfirm);
        w.txtTalk->select(caretBeforeConfirm, 0);
    }
    const QString pick = w.grdSp->textMatrix(pickRow, 0);

    f.click("cmdDec");

    QTEST(w.txtTalk->text(), "result");
    QTEST(w.txtTalk->selStart(), "resultStart");
    QCOMPARE(w.txtTalk->selLength(), 1);
    QCOMPARE(w.state().gCellText, pick);
    QVERIFY(!w.grdSp->isVisible());
    QVERIFY(w.grdBoard->isVisible());
    QVERIFY(w.isEnabled());
    QCOMPARE(w.focusWidget(), w.txtTalk);
}

void tst_predictions::newListStartsAtTheTop()
{
    TalkFixture f;
    frmTalk &w = start(f, numbered(u"あ"_s, 40), QString());
    f.clickCell("grdBoard", 0, 9);
    QCOMPARE(w.grdSp->rows(), 41);
    w.grdSp->setTopRow(30);
    f.click("cmdDec");
    w.txtTalk->setText(QString());
    f.clickCell("grdBoard", 0, 9);
    QVERIFY(w.grdSp->isVisible());
    QCOMPARE(w.grdSp->topRow(), 0);
}

QTEST_MAIN(tst_predictions)
#include "tst_predictions.moc"
