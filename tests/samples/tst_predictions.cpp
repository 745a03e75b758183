#include "SampleHelpers.h"

using namespace Qt::Literals::StringLiterals;
using namespace SampleHelpers;

namespace {
// The window over `samples` with the default key length 2 and beeps on, entering by one click
// ("click"), through the selection screen ("select") or by one click with predictions off ("off").
frmTalk &start(TalkFixture &f, const QStringList &samples, const QString &entry = u"click"_s)
{
    f.settings.values.insert(u"OPT1"_s, entry == u"select"_s ? u"0"_s : u"2"_s);
    f.settings.values.insert(u"Samp"_s, entry == u"off"_s ? u"0"_s : u"1"_s);
    f.settings.values.insert(u"Beep"_s, u"1"_s);
    frmTalk &w = f.create();
    w.state().gSampleList = samples;
    return w;
}
} // namespace

class tst_predictions : public QObject
{
    Q_OBJECT

  private slots:
    void offerAndPick_data();
    void offerAndPick();
    void newListStartsAtTheTop();
};

void tst_predictions::offerAndPick_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QStringList>("samples");
    QTest::addColumn<QString>("text"); // the selection in brackets, '|' a plain caret
    QTest::addColumn<int>("col");      // of the board cell pressed on row 0: あ 9, か 8, は 4
    QTest::addColumn<QStringList>("rows"); // empty: no list
    QTest::addColumn<int>("pickRow");
    QTest::addColumn<QString>("edited"); // the text as changed before the pick
    QTest::addColumn<QString>("result");

    const QStringList aSamples{u"あいさつ"_s, u"か"_s, u"あした"_s, u"あ"_s,
                               QString::fromUtf16(SampleFile::kPlaceholder)};
    QTest::newRow("off") << u"off"_s << aSamples << QString() << 9 << QStringList() << 0
                         << QString() << QString();
    QTest::newRow("text shorter than the key; the diary placeholder is no sentence")
        << u"click"_s << aSamples << QString() << 9
        << QStringList{u"あ"_s, u"あいさつ"_s, u"あした"_s, u"あ"_s} << 1 << QString()
        << u"あいさつ[_]"_s;
    QTest::newRow("key of the last characters, replaced by the sentence")
        << u"click"_s << QStringList{u"いかだ"_s, u"あいか"_s} << u"あい[_]"_s << 8
        << QStringList{u"いか"_s, u"いかだ"_s} << 1 << QString() << u"あいかだ[_]"_s;
    QTest::newRow("caret not at the end") << u"click"_s << aSamples << u"あ[い]_"_s << 8
                                          << QStringList() << 0 << QString() << QString();
    QTest::newRow("no match; an empty sample never matches")
        << u"click"_s << QStringList{QString(), u"か"_s} << QString() << 4 << QStringList() << 0
        << QString() << QString();
    QTest::newRow("full-width space stays in the key")
        << u"click"_s << QStringList{u"\u3000はい"_s, u"はい"_s} << u"\u3000[_]"_s << 4
        << QStringList{u"\u3000は"_s, u"\u3000はい"_s} << 1 << QString() << u"\u3000はい[_]"_s;
    QTest::newRow("ASCII blank trimmed; the key row drops it")
        << u"click"_s << QStringList{u"は"_s, u"はい"_s} << u"ね [_]"_s << 4
        << QStringList{u"は"_s, u"は"_s} << 0 << QString() << u"ねは[_]"_s;
    QTest::newRow("through the selection screen")
        << u"select"_s << QStringList{u"ぱん"_s} << QString() << 4
        << QStringList{u"ぱ"_s, u"ぱん"_s} << 1 << QString() << u"ぱん[_]"_s;
    QTest::newRow("text without the end marker")
        << u"click"_s << QStringList{u"おはようございます"_s} << u"ねお[_]"_s << 4
        << QStringList{u"おは"_s, u"おはようございます"_s} << 1 << u"ねおは|_え"_s
        << u"ねおはおはようございま[す]_え"_s;
}

void tst_predictions::offerAndPick()
{
    QFETCH(QString, entry);
    QFETCH(QStringList, samples);
    QFETCH(QString, text);
    QFETCH(int, col);
    QFETCH(QStringList, rows);
    QFETCH(int, pickRow);
    QFETCH(QString, edited);
    TalkFixture f;
    frmTalk &w = start(f, samples, entry);
    f.setShown(text);
    w.state().gListRow = 5;
    f.clickCell("grdBoard", 0, col);
    if (entry == u"select"_s)
        f.clickCell("grdBoard2", 1, 0);
    QVERIFY(!f.busy.isBusy());
    const bool offered = !rows.isEmpty();
    QCOMPARE(w.grdSp->isVisible(), offered);
    QCOMPARE(w.grdBoard->isVisible(), !offered);
    QCOMPARE(w.fraTalk->isVisible(), offered);
    QVERIFY(!w.fraSet->isVisible());
    if (!offered)
        return;
    QCOMPARE(column(w.grdSp, 0), rows);
    // The end marker is the current character again.
    QCOMPARE(w.txtTalk->selStart(), w.txtTalk->length() - 1);
    QCOMPARE(w.txtTalk->selLength(), 1);

    const int beeps = f.beeper.count;
    if (pickRow != 0)
        f.clickCell("grdSp", pickRow, 0);
    QCOMPARE(f.beeper.count, beeps + (pickRow != 0 ? 1 : 0));
    QCOMPARE(highlightedRows(w.grdSp, 0), QList<int>{pickRow});
    if (!edited.isNull())
        f.setShown(edited);
    f.click("cmdDec");
    QTEST(f.shown(), "result");
    QCOMPARE(w.state().gCellText, rows[pickRow]);
    QVERIFY(!w.grdSp->isVisible());
    QVERIFY(w.grdBoard->isVisible());
    QVERIFY(w.isEnabled());
    QCOMPARE(w.focusWidget(), w.txtTalk);
}

void tst_predictions::newListStartsAtTheTop()
{
    TalkFixture f;
    frmTalk &w = start(f, numbered(u"あ"_s, 40));
    f.clickCell("grdBoard", 0, 9);
    w.grdSp->setTopRow(30);
    f.click("cmdDec");
    w.txtTalk->setText(QString());
    f.clickCell("grdBoard", 0, 9);
    QCOMPARE(w.grdSp->topRow(), 0);
}

QTEST_MAIN(tst_predictions)
#include "tst_predictions.moc"
