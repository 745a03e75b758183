#include "TalkFixture.h"
#include "platform/DesignLayout.h"
#include "platform/FlexGrid.h"
#include "platform/TextBox.h"
#include "platform/Units.h"
#include "voice/Voice.h"
#include "voice/frmRead.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

frmRead *panel(frmTalk &w)
{
    return w.findChild<frmRead *>(u"frmRead"_s);
}

QStringList voiceFiles(TalkFixture &f, const QStringList &texts)
{
    QStringList files;
    for (const QString &t : texts)
        files.append(f.window().voice().voiceFile(t));
    return files;
}

// Runs `action` once, at the first yield after the `afterPlays`-th character was played.
void atYieldAfterPlay(TalkFixture &f, qsizetype afterPlays, std::function<void()> action)
{
    f.events.beforeYield = [&f, afterPlays, action, done = false]() mutable {
        if (done || f.wave.played.size() != afterPlays)
            return;
        done = true;
        action();
    };
}

} // namespace

class tst_reader : public QObject
{
    Q_OBJECT

  private slots:
    void readsEveryCharacter_data();
    void readsEveryCharacter();
    void stepsKeepTheirCadence_data();
    void stepsKeepTheirCadence();
    void selectsEachCharacterBeforeItsSound();
    void whileReading();
    void stopPanelLabelStops();
    void openDiaryKeepsAreaWide();
    void speakingDuringReadingEndsIt();
    void editsDuringReading_data();
    void editsDuringReading();
    void caretPadDuringReading();
    void endingProgramStopsReading();
};

void tst_reader::readsEveryCharacter_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("spoken");
    QTest::addColumn<QString>("newText");

    QTest::newRow("empty: the end marker alone") << QString() << QStringList() << u"_"_s;
    QTest::newRow("plain") << u"あい"_s << QStringList{u"あ"_s, u"い"_s} << u"あい_"_s;
    QTest::newRow("with end marker")
        << u"あい_"_s << QStringList{u"あ"_s, u"い"_s, u"_"_s} << u"あい_"_s;
    QTest::newRow("marks and spaces")
        << u"A、　"_s << QStringList{u"A"_s, u"、"_s, u"　"_s} << u"A、　_"_s;
    QTest::newRow("line break") << u"あ\nい"_s << QStringList{u"あ"_s, u"\n"_s, u"い"_s}
                                << u"あ\nい_"_s;
}

void tst_reader::readsEveryCharacter()
{
    QFETCH(QString, text);
    QFETCH(QStringList, spoken);
    QFETCH(QString, newText);
    TalkFixture f;
    frmTalk &w = f.create();
    w.txtTalk->setText(text);

    f.click("cmdRead");

    QCOMPARE(f.wave.played, voiceFiles(f, spoken));
    QCOMPARE(f.clock.waits, QList<qint64>(spoken.size(), 800));
    for (qsizetype i = 1; i < f.wave.playTimesMs.size(); ++i)
        QVERIFY(f.wave.playTimesMs[i] - f.wave.playTimesMs[i - 1] > 800);
    QCOMPARE(w.txtTalk->text(), newText);
    QCOMPARE(w.txtTalk->selStart(), newText.size() - 1);
    QCOMPARE(w.txtTalk->selLength(), 1);
    QCOMPARE(DesignLayout::rect(w.fraText).height(), 2445);
    QCOMPARE(DesignLayout::rect(w.txtTalk).height(), 2295);
    QVERIFY(w.cmdRead->isEnabled());
    QCOMPARE(w.cmdRead->text(), u"読む"_s);
    QCOMPARE(f.beeper.count, 0);
}

void tst_reader::stepsKeepTheirCadence_data()
{
    QTest::addColumn<qint64>("betweenSteps"); // time the window takes between steps
    QTest::addColumn<QList<qint64>>("gaps");  // from one sound to the next
    QTest::newRow("none") << qint64(0) << QList<qint64>{801, 801};
    QTest::newRow("a repaint: made up") << qint64(30) << QList<qint64>{831, 801};
    QTest::newRow("a long handler: no rush") << qint64(500) << QList<qint64>{1301, 1301};
}

void tst_reader::stepsKeepTheirCadence()
{
    QFETCH(qint64, betweenSteps);
    QFETCH(QList<qint64>, gaps);
    TalkFixture f;
    frmTalk &w = f.create();
    w.txtTalk->setText(u"あいう"_s);
    f.events.beforeYield = [&] { f.clock.advance(betweenSteps); };

    f.click("cmdRead");

    const QList<qint64> &at = f.wave.playTimesMs;
    QCOMPARE(at.size(), 3);
    QCOMPARE((QList<qint64>{at[1] - at[0], at[2] - at[1]}), gaps);
    QCOMPARE(f.clock.waits, QList<qint64>(3, 800));
}

void tst_reader::selectsEachCharacterBeforeItsSound()
{
    TalkFixture f;
    frmTalk &w = f.create();
    w.txtTalk->setText(u"あいう"_s);
    w.txtTalk->select(2, 1);
    QList<QPoint> selectionAtSound;
    f.clock.duringWait = [&] {
        selectionAtSound.append({w.txtTalk->selStart(), w.txtTalk->selLength()});
    };

    f.click("cmdRead");

    // The first sound keeps the selection of the click; after the last the caret is at the end.
    QCOMPARE(selectionAtSound, (QList<QPoint>{{2, 1}, {1, 1}, {2, 1}}));
    QCOMPARE(w.txtTalk->selStart(), 3);
}

void tst_reader::whileReading()
{
    TalkFixture f;
    f.settings.values.insert(u"Beep"_s, u"1"_s);
    frmTalk &w = f.create();
    w.resize(w.width() / 2, w.height() / 2);
    const double scale = DesignLayout::scale(&w);
    QVERIFY(scale < 0.9);
    w.txtTalk->setText(u"あい"_s);
    bool checked = false;
    atYieldAfterPlay(f, 1, [&] {
        checked = true;
        QCOMPARE(f.state.gStopRead, 0);
        QVERIFY(!w.cmdRead->isEnabled());
        QCOMPARE(w.cmdRead->text(), u"♪"_s);
        QCOMPARE(DesignLayout::rect(w.fraText).height(), w.heightTwips() - 3480);
        QCOMPARE(DesignLayout::rect(w.txtTalk).height(), w.heightTwips() - 3630);

        frmRead *p = panel(w);
        QVERIFY(p && p->isVisible() && p->isWindow());
        QVERIFY(p->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QCOMPARE(DesignLayout::scale(p), scale);
        const QRect screen = w.screen()->geometry();
        QCOMPARE(p->pos(), QPoint(screen.left(), screen.top() + Units::twipsToPixels(8400, scale)));
        QVERIFY(!p->close()); // its close box is refused: only the label stops the reading
        QVERIFY(p->isVisible());
    });

    f.click("cmdRead");

    QVERIFY(checked);
    QCOMPARE(f.beeper.count, 1);
    QCOMPARE(f.wave.played.size(), 2);
    QTRY_VERIFY(!panel(w));
}

void tst_reader::stopPanelLabelStops()
{
    TalkFixture f;
    frmTalk &w = f.create();
    w.txtTalk->setText(u"あいうえお"_s);
    bool closedAtOnce = false;
    atYieldAfterPlay(f, 2, [&] {
        frmRead *p = panel(w);
        QVERIFY(p);
        QTest::mouseClick(p->lblLabel, Qt::LeftButton);
        closedAtOnce = !p->isVisible();
    });

    f.click("cmdRead");

    QVERIFY(closedAtOnce);
    QCOMPARE(f.wave.played, voiceFiles(f, {u"あ"_s, u"い"_s}));
    QCOMPARE(f.clock.waits.size(), 2);
    QCOMPARE(w.txtTalk->text(), u"あいうえお_"_s);
    QCOMPARE(w.txtTalk->selStart(), 5);
    QCOMPARE(w.txtTalk->selLength(), 1);
    QCOMPARE(w.cmdRead->text(), u"読む"_s);
    QVERIFY(w.cmdRead->isEnabled());
    QTRY_VERIFY(!panel(w));
}

void tst_reader::openDiaryKeepsAreaWide()
{
    TalkFixture f;
    frmTalk &w = f.create();
    w.fraRes->hide();
    w.fraDay->show();
    w.txtTalk->setText(u"あ"_s);

    f.click("cmdRead");

    QCOMPARE(DesignLayout::rect(w.txtTalk).height(), w.heightTwips() - 3630);
    QCOMPARE(DesignLayout::rect(w.fraText).height(), w.heightTwips() - 3480);
    QCOMPARE(w.txtTalk->text(), u"あ_"_s);
    QVERIFY(w.cmdRead->isEnabled());
}

void tst_reader::speakingDuringReadingEndsIt()
{
    TalkFixture f;
    f.settings.values.insert(u"OPT1"_s, u"2"_s); // one click enters and speaks
    frmTalk &w = f.create();
    w.txtTalk->setText(u"かきく"_s);
    w.txtTalk->select(0, 1);
    const QString cell = w.grdBoard->textMatrix(0, 9);
    atYieldAfterPlay(f, 1, [&] { f.clickCell("grdBoard", 0, 9); });

    f.click("cmdRead");

    // The board click spoke its character after the first one read, and nothing more was read.
    QCOMPARE(f.wave.played, voiceFiles(f, {u"か"_s, cell}));
    QCOMPARE(f.state.gStopRead, -1);
    QVERIFY(w.txtTalk->text().contains(cell));
    QVERIFY(w.txtTalk->text().endsWith(u'_'));
    QVERIFY(w.cmdRead->isEnabled());
}

void tst_reader::editsDuringReading_data()
{
    QTest::addColumn<QString>("replacement");
    QTest::addColumn<QStringList>("spoken");
    QTest::addColumn<QString>("newText");

    QTest::newRow("emptied") << QString() << QStringList{u"あ"_s} << u"_"_s;
    // Positions past the shorter text read nothing but still take their step.
    QTest::newRow("shortened") << u"か"_s << QStringList{u"あ"_s, QString(), QString()} << u"か_"_s;
    QTest::newRow("replaced") << u"かきくけ"_s << QStringList{u"あ"_s, u"き"_s, u"く"_s}
                              << u"かきくけ_"_s;
}

void tst_reader::editsDuringReading()
{
    QFETCH(QString, replacement);
    QFETCH(QStringList, spoken);
    QFETCH(QString, newText);
    TalkFixture f;
    frmTalk &w = f.create();
    w.txtTalk->setText(u"あいう"_s);
    atYieldAfterPlay(f, 1, [&] { w.txtTalk->setText(replacement); });

    f.click("cmdRead");

    QCOMPARE(f.wave.played, voiceFiles(f, spoken));
    QCOMPARE(w.txtTalk->text(), newText);
    QCOMPARE(w.txtTalk->selStart(), newText.size() - 1);
    QCOMPARE(w.txtTalk->selLength(), 1);
}

void tst_reader::caretPadDuringReading()
{
    TalkFixture f;
    frmTalk &w = f.create();
    w.txtTalk->setText(u"あいう"_s);
    w.txtTalk->select(0, 1);
    atYieldAfterPlay(f, 1, [&] {
        QTest::mousePress(w.cmdRes[1], Qt::LeftButton);
        QTest::mouseRelease(w.cmdRes[1], Qt::LeftButton);
    });

    f.click("cmdRead");

    // "ＢＳ" removed the first character; the reading went on over the text as it became.
    QCOMPARE(f.wave.played, voiceFiles(f, {u"あ"_s, u"う"_s, QString()}));
    QCOMPARE(w.txtTalk->text(), u"いう_"_s);
    QVERIFY(!w.mKeyHeld);
}

void tst_reader::endingProgramStopsReading()
{
    TalkFixture f;
    frmTalk &w = f.create();
    w.txtTalk->setText(u"あいうえお"_s);
    int endRequests = 0;
    connect(&w, &frmTalk::endRequested, this, [&] { ++endRequests; });
    atYieldAfterPlay(f, 1, [&] { f.click("cmdEnd"); });

    f.click("cmdRead");

    QCOMPARE(endRequests, 1);
    QCOMPARE(f.wave.played.size(), 1);
}

QTEST_MAIN(tst_reader)
#include "tst_reader.moc"
