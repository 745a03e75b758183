// Inputs far larger than daily use: every sentence and diary entry survives a load and a
// save, and a very long composition can be read aloud and stopped.
#include "TalkFixture.h"
#include "diary/DiaryFile.h"
#include "platform/FlexGrid.h"
#include "platform/TextBox.h"
#include "platform/TextFile.h"
#include "samples/SampleFile.h"
#include "voice/frmRead.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

class tst_biginputs : public QObject
{
    Q_OBJECT

  private slots:
    void hundredThousandSamplesAndOneHugeLine();
    void tenThousandDiaryEntriesWithBrokenStamps();
    void longCompositionIsReadAndStopped();
};

void tst_biginputs::hundredThousandSamplesAndOneHugeLine()
{
    const QString kana = u"あいうえおかきくけこさしすせそたちつてと日記天気"_s;
    QStringList lines{u"\"ああああ日記ダミー消さないでね！\""_s};
    for (int i = 0; i < 100000; ++i)
        lines << u"\"%1%2\""_s.arg(kana.mid(i % 20, 1 + i % 5)).arg(i);
    const QString huge = QString(40000, u'ね');
    lines << u'"' + huge + u'"';
    TalkFixture f;
    QVERIFY(TextFile::writeLines(f.filePath(u"Talk.txt"_s), lines));
    f.settings.values.insert(u"OPT1"_s, u"2"_s);
    frmTalk &w = f.create();

    QCOMPARE(w.grdEx->rows(), 100002);
    QCOMPARE(f.state.gSampleList.size(), 100002);
    QCOMPARE(f.state.gSampleList.last(), huge);
    QVERIFY(SampleFile::SaveSamples(w));
    const TextFile::ReadResult back = TextFile::readLines(f.filePath(u"Talk.txt"_s));
    QVERIFY(back.ok());
    QCOMPARE(back.lines.size(), lines.size());
    QCOMPARE(QSet<QString>(back.lines.begin(), back.lines.end()),
             QSet<QString>(lines.begin(), lines.end()));

    // Showing the list and typing with predictions stay usable.
    f.click("cmdSamp");
    QVERIFY(w.grdEx->isVisible());
    QCOMPARE(w.grdEx->textMatrix(0, 1), u"日記"_s);
    f.click("cmdSamp");
    // あ enters at once and is looked up in every line: 5,000 samples and the first line
    // begin with it; the first line (the diary placeholder) is never offered.
    f.clickCell("grdBoard", 0, 9);
    QCOMPARE(w.txtTalk->text(), u"あ_"_s);
    QCOMPARE(w.grdSp->rows(), 1 + 5000);
}

void tst_biginputs::tenThousandDiaryEntriesWithBrokenStamps()
{
    QStringList lines;
    const QDate last(2026, 12, 6);
    for (int i = 0; i < 10000; ++i)
        lines << u"\"%1 日記%2\""_s.arg(DiaryFile::stamp(last.addDays(-i))).arg(i);
    // Stamps a person or another program may have mangled.
    lines << u"\"26.13.45 no such day\""_s << u"\"abc\""_s << u"\"\""_s << u"no quotes at all"_s
          << u"\"26.12.0\""_s << u"\"        spaces for a stamp\""_s;
    TalkFixture f;
    QVERIFY(TextFile::writeLines(f.filePath(u"day.txt"_s), lines));
    frmTalk &w = f.create();

    DiaryFile::LoadDiary(w);
    DiaryFile::SortDiary(w);
    // Today's new row is added; every line of the file has its row.
    QCOMPARE(w.grdDay->rows(), 1 + int(lines.size()));
    int today = -1;
    for (int r = 0; r < w.grdDay->rows() && today < 0; ++r)
        if (w.grdDay->textMatrix(r, 0) == u"26.12.07"_s)
            today = r;
    QVERIFY(today >= 0);
    f.state.gDiaryRow = today;
    QVERIFY(DiaryFile::SaveDiary(w, u"きょう_"_s));
    const TextFile::ReadResult back = TextFile::readLines(f.filePath(u"day.txt"_s));
    QVERIFY(back.ok());
    QCOMPARE(back.lines.size(), lines.size() + 1);
    QVERIFY(back.lines.contains(u"\"26.12.07 きょう\""_s));
    QVERIFY(back.lines.contains(u"\"26.12.06 日記0\""_s));
    QVERIFY(back.lines.contains(u"\"26.13.45 no such day\""_s));
}

void tst_biginputs::longCompositionIsReadAndStopped()
{
    TalkFixture f;
    frmTalk &w = f.create();
    QString text;
    for (int i = 0; i < 100000; ++i)
        text += QChar(u'あ' + i % 40);
    w.txtTalk->setText(text);
    f.events.beforeYield = [&] {
        if (f.wave.played.size() != 500)
            return;
        auto *panel = w.findChild<frmRead *>();
        QVERIFY(panel);
        QTest::mouseClick(panel->lblLabel, Qt::LeftButton);
    };
    f.click("cmdRead");
    QCOMPARE(f.wave.played.size(), 500);
    QCOMPARE(w.txtTalk->text(), text + u'_');
    QCOMPARE(w.cmdRead->text(), u"読む"_s);
}

QTEST_MAIN(tst_biginputs)
#include "tst_biginputs.moc"
