#include "TalkFixture.h"
#include "compose/TextArea.h"
#include "diary/DiaryFile.h"
#include "diary/DiaryScreen.h"
#include "platform/DesignLayout.h"
#include "platform/FlexGrid.h"
#include "platform/TextBox.h"
#include "platform/Units.h"
#include "samples/SampleTexts.h"

#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QPushButton>
#include <QStringEncoder>
#include <QTest>
#include <sys/stat.h>

using namespace Qt::Literals::StringLiterals;

namespace {
QByteArray diaryFile(const QStringList &entries)
{
    QString all;
    for (const QString &e : entries)
        all += u'"' + e + u"\"\r\n"_s;
    QStringEncoder encoder("windows-31j");
    return encoder.encode(all);
}

// The diary list on show, as "決定" on "日記" leaves it.
frmTalk &diaryList(TalkFixture &f, const QStringList &entries)
{
    if (!entries.isEmpty())
        f.writeFile(u"day.txt"_s, diaryFile(entries));
    frmTalk &w = f.create();
    DiaryFile::LoadDiary(w);
    DiaryFile::SortDiary(w);
    w.cmdSamp->setText(QString::fromUtf16(SampleTexts::kDiaryCloseCaption));
    w.grdBoard->hide();
    w.fraRes->hide();
    w.fraTalk->show();
    return w;
}

// "決定" on the list: the entry opens, then the button's common end hides the list buttons.
void decide(frmTalk &w)
{
    w.diaryScreen().openEntry();
    w.fraTalk->hide();
}

// Whether a user can click the button: shown and not covered by another shown foot frame.
bool reachable(frmTalk &w, QPushButton *button)
{
    if (!button->isVisible())
        return false;
    const QRect onWindow(button->mapTo(&w, QPoint(0, 0)), button->size());
    QWidget *top = w.childAt(onWindow.center());
    return top == button || button->isAncestorOf(top);
}
} // namespace

class tst_diaryscreen : public QObject
{
    Q_OBJECT

  private slots:
    void openAndRevise_data();
    void openAndRevise();
    void backAfterUnsavedCorrection();
    void backClosesWhatCorrectingOpened_data();
    void backClosesWhatCorrectingOpened();
    void clickMovesHighlight();
    void endingSavesTheOpenEntry_data();
    void endingSavesTheOpenEntry();
};

void tst_diaryscreen::openAndRevise_data()
{
    QTest::addColumn<QStringList>("file");
    QTest::addColumn<QString>("opened");
    QTest::addColumn<int>("reviseStart");
    QTest::addColumn<int>("reviseLength");
    QTest::newRow("today's new entry") << QStringList{u"26.12.06 あめ"_s} << QString() << 0 << 0;
    QTest::newRow("はれ") << QStringList{u"26.12.07  はれ "_s} << u"はれ"_s << 1 << 1;
}

void tst_diaryscreen::openAndRevise()
{
    QFETCH(QStringList, file);
    QFETCH(QString, opened);
    QFETCH(int, reviseStart);
    QFETCH(int, reviseLength);
    TalkFixture f;
    frmTalk &w = diaryList(f, file);
    decide(w);

    QCOMPARE(w.txtTalk->text(), opened);
    QCOMPARE(w.txtTalk->selStart(), int(opened.size()));
    QCOMPARE(w.state().gDiaryRow, 0);
    QCOMPARE(DesignLayout::backColour(w.txtTalk), Units::Colour::LightGreen);
    QCOMPARE(w.cmdWide->text(), u"狭める"_s);
    QCOMPARE(DesignLayout::rect(w.fraText).height(), w.heightTwips() - TextArea::kWideFrameMargin);
    QCOMPARE(DesignLayout::rect(w.txtTalk).height(), w.heightTwips() - TextArea::kWideTextMargin);
    QVERIFY(!w.grdDay->isVisible());
    QVERIFY(reachable(w, w.cmdRevise));
    QVERIFY(reachable(w, w.cmdBack));

    f.click("cmdRevise");
    QCOMPARE(w.txtTalk->selStart(), reviseStart);
    QCOMPARE(w.txtTalk->selLength(), reviseLength);
    QCOMPARE(w.cmdWide->text(), u"広げる"_s);
    QCOMPARE(DesignLayout::rect(w.fraText).height(), TextArea::kNarrowFrame);
    QCOMPARE(DesignLayout::backColour(w.txtTalk), Units::Colour::LightGreen);
    QVERIFY(w.grdBoard->isVisible());
    // Correcting: the whole caret pad and "戻る" can both be pressed.
    for (QPushButton *pad : w.cmdRes)
        QVERIFY2(reachable(w, pad), qPrintable(pad->objectName()));
    QVERIFY(reachable(w, w.cmdStart));
    QVERIFY(reachable(w, w.cmdBack));
}

void tst_diaryscreen::backAfterUnsavedCorrection()
{
    TalkFixture f;
    frmTalk &w = diaryList(f, {u"26.12.07 はれ"_s, u"26.12.06 あめ"_s});
    const QByteArray before = f.readFile(u"day.txt"_s);
    decide(w);
    f.click("cmdRevise");
    w.txtTalk->setText(u"はれのちくもり"_s);

    f.click("cmdBack");
    QVERIFY(w.grdDay->isVisible());
    QCOMPARE(w.grdDay->textMatrix(0, 1), u"はれ"_s);
    QCOMPARE(w.txtTalk->text(), u"はれのちくもり"_s);
    QCOMPARE(f.readFile(u"day.txt"_s), before);
    QCOMPARE(w.state().gListRow, 0);
    QVERIFY(!w.fraDay->isVisible());
    QCOMPARE(w.cmdWide->text(), u"広げる"_s);
    // The list buttons lie over the caret pad that correcting left shown.
    QVERIFY(reachable(w, w.cmdDec));
    QVERIFY(reachable(w, w.cmdUp));

    // Opened again, the diary buttons are back in their own places.
    decide(w);
    QCOMPARE(w.txtTalk->text(), u"はれ"_s);
    QVERIFY(reachable(w, w.cmdRevise));
    QVERIFY(reachable(w, w.cmdBack));
}

void tst_diaryscreen::backClosesWhatCorrectingOpened_data()
{
    QTest::addColumn<QString>("entryMode"); // OPT1
    QTest::newRow("prediction list") << u"2"_s;
    QTest::newRow("selection screen") << u"0"_s;
}

void tst_diaryscreen::backClosesWhatCorrectingOpened()
{
    QFETCH(QString, entryMode);
    TalkFixture f;
    f.settings.values.insert(u"OPT1"_s, entryMode);
    f.writeFile(u"Talk.txt"_s, "\"\x82\xA0\x82\xB3\"\r\n"); // あさ
    frmTalk &w = diaryList(f, {u"26.12.07 はれ"_s});
    decide(w);
    f.click("cmdRevise");
    w.txtTalk->setText(QString());
    f.clickCell("grdBoard", 0, 9); // あ
    QVERIFY(w.grdSp->isVisible() || w.fraSet->isVisible());

    f.click("cmdBack");
    QVERIFY(w.grdDay->isVisible());
    QVERIFY(!w.grdSp->isVisible());
    QVERIFY(!w.fraSet->isVisible());
    f.click("cmdDec");
    QCOMPARE(w.txtTalk->text(), u"はれ"_s);
    QVERIFY(!w.grdDay->isVisible());
    QVERIFY(reachable(w, w.cmdRevise));
    QVERIFY(reachable(w, w.cmdBack));
}

void tst_diaryscreen::clickMovesHighlight()
{
    TalkFixture f;
    f.settings.values.insert(u"Beep"_s, u"1"_s);
    frmTalk &w = diaryList(f, {u"26.12.07 a"_s, u"26.12.06 b"_s, u"26.12.05 c"_s});
    const int beeps = f.beeper.count;
    f.clickCell("grdDay", 2, 1);
    QCOMPARE(w.state().gListRow, 2);
    QCOMPARE(w.grdDay->cellBackColor(0, 1), Units::Colour::White);
    QCOMPARE(w.grdDay->cellBackColor(2, 1), Units::Colour::LightGreen);
    QCOMPARE(f.beeper.count, beeps + 1);
    QVERIFY(w.txtTalk->hasFocus());
    decide(w);
    QCOMPARE(w.txtTalk->text(), u"c"_s);
    QCOMPARE(w.state().gDiaryRow, 2);
}

void tst_diaryscreen::endingSavesTheOpenEntry_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("answer");
    QTest::addColumn<QStringList>("told");
    QTest::addColumn<QByteArray>("saved");
    const QString question = u"日記を登録して終了します"_s;
    const QString failed = u"日記を保存できませんでした"_s;
    const QString kept = u"控え：day.txt.bak-\n20261207-"_s;
    const QByteArray written("\"26.12.07 \x82\xCD\x82\xEA\"\r\n");
    QTest::newRow("ＹＥＳ") << u"missing"_s << true << QStringList{question} << written;
    QTest::newRow("ＮＯ") << u"missing"_s << false << QStringList{question} << QByteArray();
    QTest::newRow("a folder") << u"folder"_s << true << QStringList{question, failed}
                              << QByteArray();
    // Writing could replace a pipe: only the guard keeps it.
    QTest::newRow("a named pipe") << u"pipe"_s << true << QStringList{question, failed}
                                  << QByteArray();
    QTest::newRow("undecodable bytes kept")
        << u"damaged"_s << true << QStringList{question, kept} << QByteArray(written);
}

void tst_diaryscreen::endingSavesTheOpenEntry()
{
    QFETCH(QString, file);
    QFETCH(bool, answer);
    QFETCH(QStringList, told);
    QFETCH(QByteArray, saved);
    TalkFixture f;
    const QString path = f.filePath(u"day.txt"_s);
    const QByteArray damaged("\"26.12.07 \x82\x20\"\r\n");
    if (file == u"folder"_s)
        QVERIFY(QDir().mkdir(path));
    if (file == u"pipe"_s)
        QCOMPARE(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    if (file == u"damaged"_s)
        f.writeFile(u"day.txt"_s, damaged);
    frmTalk &w = diaryList(f, {});
    decide(w);
    w.txtTalk->setText(u"はれ"_s);
    f.asker.answers = {answer, true};
    f.click("cmdSamp");

    QCOMPARE(f.asker.asked.size(), told.size());
    for (int i = 0; i < told.size(); ++i)
        QVERIFY2(f.asker.asked[i].prompt.startsWith(told[i]), qPrintable(f.asker.asked[i].prompt));
    QCOMPARE(f.asker.asked[0].title, u"日記の終了"_s);
    QVERIFY(w.txtTalk->text().startsWith(u"はれ"_s));
    if (file == u"folder"_s || file == u"pipe"_s) {
        QVERIFY(!QFileInfo(path).isFile());
        return;
    }
    QCOMPARE(f.readFile(u"day.txt"_s), saved);
    if (file != u"damaged"_s)
        return;
    // The notice names the copy, which holds the original bytes.
    QCOMPARE(f.readFile(f.asker.asked[1].prompt.mid(3).remove(u'\n')), damaged);
}

QTEST_MAIN(tst_diaryscreen)
#include "tst_diaryscreen.moc"
