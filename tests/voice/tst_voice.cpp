#include "TalkFixture.h"
#include "platform/DesignLayout.h"
#include "voice/Voice.h"
#include "voice/frmRead.h"

#include <QDir>
#include <QLabel>

using namespace Qt::Literals::StringLiterals;

// A character spoken on a press, and the text read aloud one character at a time.
class tst_voice : public QObject
{
    Q_OBJECT

  private slots:
    void speakChar_data();
    void speakChar();
    void read_data();
    void read();
    void stepsKeepTheirCadence_data();
    void stepsKeepTheirCadence();
};

void tst_voice::speakChar_data()
{
    QTest::addColumn<QString>("opt3");
    QTest::addColumn<Voice::Kind>("kind");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("file"); // "-": not spoken; empty: played without a file, waited
    const QList<std::pair<QString, QList<bool>>> modes = {
        // kinds: selection screen, entry, first click
        {u"0"_s, {true, true, true}},   {u"1"_s, {true, true, false}},
        {u"2"_s, {false, true, false}}, {u"3"_s, {false, false, false}},
        {u"7"_s, {true, true, true}},
    };
    const Voice::Kind kinds[] = {Voice::Kind::Select, Voice::Kind::Enter, Voice::Kind::First};
    for (const auto &[opt3, spoken] : modes)
        for (int k = 0; k < 3; ++k)
            QTest::addRow("OPT3 %s, kind %c", qPrintable(opt3), "SE1"[k])
                << opt3 << kinds[k] << u"あ"_s << (spoken[k] ? u"あ.wav"_s : u"-"_s);
    const Voice::Kind enter = Voice::Kind::Enter;
    QTest::newRow("face mark") << u"0"_s << enter << u"(^_^)"_s << u"(^_^).wav"_s;
    QTest::newRow("slash") << u"0"_s << enter << u"a/b"_s << QString();
    QTest::newRow("empty") << u"0"_s << enter << QString() << QString();
    QTest::newRow("NUL") << u"0"_s << enter << QString(QChar(0)) << QString();
}

void tst_voice::speakChar()
{
    QFETCH(QString, opt3);
    QFETCH(Voice::Kind, kind);
    QFETCH(QString, text);
    QFETCH(QString, file);
    TalkFixture f;
    f.settings.values.insert(u"OPT3"_s, opt3);
    frmTalk &w = f.create();
    // A file named ".wav" must not be what a text without a file plays.
    f.writeFile(u".wav"_s, "RIFF");

    w.voice().SpeakChar(text, 0.5f, kind);

    const bool spoken = file != u"-"_s;
    const QString path = file.isEmpty() ? QString() : f.programDir() + QDir::separator() + file;
    const QStringList sequence{u"Command:Close"_s, u"DeviceType:WaveAudio"_s, u"FileName:"_s + path,
                               u"Command:Open"_s,  u"Command:Prev"_s,         u"Command:Play"_s};
    QCOMPARE(f.wave.log, spoken ? sequence : QStringList());
    QCOMPARE(f.clock.waits, spoken ? QList<qint64>{500} : QList<qint64>());
}

void tst_voice::read_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("afterPlays"); // the action comes at the next yield
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("spoken"); // a voice a character; "·" a step that reads nothing
    QTest::addColumn<QString>("newText");

    const QString five = u"あいうえお"_s;
    QTest::newRow("empty: the end marker alone")
        << QString() << 0 << QString() << QString() << u"_"_s;
    QTest::newRow("with end marker") << u"あい_"_s << 0 << QString() << u"あい_"_s << u"あい_"_s;
    QTest::newRow("line break") << u"あ\nい"_s << 0 << QString() << u"あ\nい"_s << u"あ\nい_"_s;
    QTest::newRow("stop label") << five << 2 << u"label"_s << u"あい"_s << five + u'_';
    QTest::newRow("program ended") << five << 1 << u"cmdEnd"_s << u"あ"_s << five + u'_';
    // The board click enters and speaks its character in front of the first; nothing more is read.
    QTest::newRow("board click") << u"かき"_s << 1 << u"board"_s << u"かあ"_s << u"あかき_"_s;
    QTest::newRow("diary open") << u"あ"_s << 0 << u"diary"_s << u"あ"_s << u"あ_"_s;
    // Positions past the shorter text read nothing but still take their step.
    QTest::newRow("text shortened") << u"あいう"_s << 1 << u"=か"_s << u"あ··"_s << u"か_"_s;
}

void tst_voice::read()
{
    QFETCH(QString, text);
    QFETCH(int, afterPlays);
    QFETCH(QString, action);
    QFETCH(QString, spoken);
    QFETCH(QString, newText);
    TalkFixture f;
    f.settings.values.insert(u"OPT1"_s, u"2"_s); // one board click enters and speaks
    frmTalk &w = f.create();
    w.txtTalk->setText(text);
    w.txtTalk->select(0, 1);
    // "label" checks the window while reading and clicks the stop panel's label, "cmdEnd" ends the
    // program, "board" clicks あ on the board, "diary" opens the diary, "=<text>" replaces the
    // text.
    f.events.beforeYield = [&, done = false]() mutable {
        if (done || action.isEmpty() || f.wave.played.size() != afterPlays)
            return;
        done = true;
        if (action == u"label"_s) {
            auto *p = w.findChild<frmRead *>();
            QVERIFY(p && p->isVisible() && p->isWindow());
            QVERIFY(p->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
            QVERIFY(!p->close()); // its close box is refused: only the label stops the reading
            QVERIFY(!w.cmdRead->isEnabled());
            QCOMPARE(DesignLayout::rect(w.txtTalk).height(), w.heightTwips() - 3630);
            QTest::mouseClick(p->lblLabel, Qt::LeftButton);
            QVERIFY(!p->isVisible());
        } else if (action == u"cmdEnd"_s) {
            f.click("cmdEnd");
        } else if (action == u"board"_s) {
            f.clickCell("grdBoard", 0, 9);
        } else if (action == u"diary"_s) {
            w.fraRes->hide();
            w.fraDay->show();
        } else {
            w.txtTalk->setText(action.mid(1));
        }
    };

    f.click("cmdRead");

    QStringList files;
    for (const QChar c : spoken)
        files.append(w.voice().voiceFile(c == u'·' ? QString() : QString(c)));
    QCOMPARE(f.wave.played, files);
    QCOMPARE(w.txtTalk->text(), newText);
    QCOMPARE(w.txtTalk->selStart(), newText.size() - 1);
    QCOMPARE(w.txtTalk->selLength(), 1);
    // Narrowed again, unless the diary is open.
    QCOMPARE(w.fraDay->isVisible(), action == u"diary"_s);
    QCOMPARE(DesignLayout::rect(w.txtTalk).height(),
             w.fraDay->isVisible() ? w.heightTwips() - 3630 : 2295);
    QVERIFY(w.cmdRead->isEnabled());
    QCOMPARE(w.cmdRead->text(), u"読む"_s);
    // The panel deletes itself once closed.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!w.findChild<frmRead *>());
}

void tst_voice::stepsKeepTheirCadence_data()
{
    QTest::addColumn<qint64>("betweenSteps"); // time the window takes between steps
    QTest::addColumn<QList<qint64>>("gaps");  // from one sound to the next
    QTest::newRow("none") << qint64(0) << QList<qint64>{801, 801};
    QTest::newRow("a repaint: made up") << qint64(30) << QList<qint64>{831, 801};
    QTest::newRow("a long handler: no rush") << qint64(500) << QList<qint64>{1301, 1301};
}

void tst_voice::stepsKeepTheirCadence()
{
    QFETCH(qint64, betweenSteps);
    TalkFixture f;
    frmTalk &w = f.create();
    w.txtTalk->setText(u"あいう"_s);
    w.txtTalk->select(2, 1);
    f.events.beforeYield = [&] { f.clock.advance(betweenSteps); };
    QList<QPoint> selectionAtSound;
    f.clock.duringWait = [&] {
        selectionAtSound.append({w.txtTalk->selStart(), w.txtTalk->selLength()});
    };

    f.click("cmdRead");

    const QList<qint64> &at = f.wave.playTimesMs;
    QCOMPARE(at.size(), 3);
    QTEST((QList<qint64>{at[1] - at[0], at[2] - at[1]}), "gaps");
    // Each character is selected while it sounds; the first keeps the selection of the click.
    QCOMPARE(selectionAtSound, (QList<QPoint>{{2, 1}, {1, 1}, {2, 1}}));
}

QTEST_MAIN(tst_voice)
#include "tst_voice.moc"
