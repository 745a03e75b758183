#include "AccessFixture.h"
#include "SampleHelpers.h"
#include "SoundWindow.h"
#include "access/AccessLayer.h"
#include "access/AccessOverlay.h"
#include "access/AccessTexts.h"
#include "access/CallBell.h"
#include "access/CallButton.h"
#include "access/CallCorners.h"
#include "access/CuePlayer.h"
#include "access/KeyCatcher.h"
#include "access/SwitchKeys.h"
#include "access/frmAccess.h"
#include "dialogs/FrmOkAsker.h"
#include "dialogs/frmOK.h"
#include "platform/DesignButton.h"
#include "platform/Units.h"
#include "voice/frmRead.h"

#include <QApplication>
#include <QDir>
#include <QDoubleSpinBox>
#include <QEventLoop>
#include <QKeySequence>
#include <QLabel>
#include <QPointer>
#include <QTimer>

using namespace Qt::Literals::StringLiterals;

namespace {
// A key event as an X server sends it: its time is the server's (here the clock's).
void sendKey(QWidget *to, QEvent::Type type, Qt::Key key, qint64 eventMs)
{
    QKeyEvent event(type, key, Qt::NoModifier);
    event.setTimestamp(ulong(eventMs));
    QCoreApplication::sendEvent(to, &event);
}

// `key` held `ms` with the X server's default repeat (after 660 ms, then every 40 ms), each
// repeat coming as Qt 6.4 on X11 often hands it on: an unmarked release and, 1 ms later, a
// press, both with the server's one time for the pair.
void holdWithRepeats(AccessFixture &a, QWidget *to, Qt::Key key, int ms,
                     const std::function<void()> &pressed = {})
{
    const qint64 start = a.f.clock.nowMs();
    sendKey(to, QEvent::KeyPress, key, start);
    if (pressed)
        pressed();
    for (qint64 next = start + 660; next < start + ms; next += 40) {
        a.pass(int(next - a.f.clock.nowMs()));
        sendKey(to, QEvent::KeyRelease, key, next);
        a.f.clock.advance(1);
        sendKey(to, QEvent::KeyPress, key, next);
    }
    a.pass(int(start + ms - a.f.clock.nowMs()));
    sendKey(to, QEvent::KeyRelease, key, a.f.clock.nowMs());
}

// Every rectangle of a scan tree, the groups' and the leaves'.
void collectRects(const ScanNode &node, QList<QRect> &rects)
{
    for (const ScanNode &child : node.children)
        collectRects(child, rects << child.rect);
}
} // namespace

class tst_access : public QObject
{
    Q_OBJECT

  private slots:
    void settingsClamped_data();
    void settingsClamped();
    void cueTiming();
    void switchesEnterAndRead_data();
    void switchesEnterAndRead();
    void scanOrder_data();
    void scanOrder();
    void questionAnsweredThroughTimers_data();
    void questionAnsweredThroughTimers();
    void callRings_data();
    void callRings();
    void callOnQuestionAndPanel_data();
    void callOnQuestionAndPanel();
    void keysChosen_data();
    void keysChosen();
    void framesInsideScreen_data();
    void framesInsideScreen();
};

void tst_access::settingsClamped_data()
{
    QTest::addColumn<QString>("stored"); // "Key=value" words, ";" between them
    // Step ms, ignore ms, A's keys / B's keys as used / the call key and hold ms.
    QTest::addColumn<QString>("read");
    const QString call = u" / F12 3000"_s, plain = u" Space, 1 / Return, 2"_s + call;
    QTest::newRow("step too short") << u"ScanStepMs=50"_s << u"300 149"_s + plain;
    QTest::newRow("step huge") << u"ScanStepMs=99999999999"_s << u"10000 250"_s + plain;
    QTest::newRow("not a number") << u"ScanStepMs=1.5s"_s << u"1500 250"_s + plain;
    QTest::newRow("spaces") << u"ScanStepMs= 2000 "_s << u"2000 250"_s + plain;
    QTest::newRow("ignore over half a step") << u"SwitchIgnoreMs=2000"_s << u"1500 749"_s + plain;
    QTest::newRow("no debounce: held to 50 ms") << u"SwitchIgnoreMs=0"_s << u"1500 50"_s + plain;
    QTest::newRow("other keys") << u"SwitchAKeys=F5, Enter"_s
                                << u"1500 250 F5, Return / 2"_s + call;
    QTest::newRow("arrows and modified keys dropped")
        << u"SwitchAKeys=Left,Ctrl+1,F5,Tab"_s << u"1500 250 F5 / Return, 2"_s + call;
    QTest::newRow("the comma key among others")
        << u"SwitchAKeys=5, ,"_s << u"1500 250 5, , / Return, 2"_s + call;
    QTest::newRow("only refused keys: the default")
        << u"SwitchAKeys=Shift,Esc,Backspace"_s << u"1500 250"_s + plain;
    QTest::newRow("no key name") << u"SwitchBKeys=+++"_s << u"1500 250"_s + plain;
    // Values that contradict each other (stored by hand, or by an older version) read as
    // settings that work: each switch keeps keys of its own, none rings the call, and no
    // selecting hold reaches the call's.
    QTest::newRow("B's only key is A's: B's default")
        << u"SwitchAKeys=Space;SwitchBKeys=Space"_s << u"1500 250 Space / Return, 2"_s + call;
    QTest::newRow("A holds B's defaults: A's defaults")
        << u"SwitchAKeys=Return, 2;SwitchBKeys=2"_s << u"1500 250 Return, 2 / Space, 1"_s + call;
    QTest::newRow("A holds every default: A hands B its last key")
        << u"SwitchAKeys=Space, 1, Return, 2;SwitchBKeys=1"_s
        << u"1500 250 Space, 1, Return / 2"_s + call;
    QTest::newRow("the call key on switch B: the call's default")
        << u"CallKey=1;SwitchAKeys=Return;SwitchBKeys=Space, 1"_s
        << u"1500 250 Return / Space, 1"_s + call;
    QTest::newRow("the call key and F12 on switches: no call key")
        << u"CallKey=1;SwitchAKeys=F12;SwitchBKeys=1"_s << u"1500 250 F12 / 1 /  3000"_s;
    QTest::newRow("call hold within the selecting hold: a second after it")
        << u"SwitchHoldMs=2000;CallHoldMs=1000"_s << u"1500 250"_s + plain;
    QTest::newRow("call hold a second after the selecting hold")
        << u"SwitchHoldMs=500;CallHoldMs=1500"_s << u"1500 250 Space, 1 / Return, 2 / F12 1500"_s;
    QTest::newRow("call hold off stays off")
        << u"SwitchHoldMs=2000;CallHoldMs=0"_s << u"1500 250 Space, 1 / Return, 2 / F12 0"_s;
}

void tst_access::settingsClamped()
{
    QFETCH(QString, stored);
    MemorySettingsStore store;
    for (const QString &word : stored.split(u';'))
        store.values.insert(word.section(u'=', 0, 0), word.section(u'=', 1));
    const AccessSettings s = AccessSettings::read(store);
    QCOMPARE(SwitchKeys::names(s.switchBKeyCodes()), s.switchBKeys); // as stored next time
    const QString keys =
        SwitchKeys::names(s.switchAKeyCodes()) + u" / "_s + SwitchKeys::names(s.switchBKeyCodes());
    QTEST(u"%1 %2 %3 / %4 %5"_s.arg(s.scanStepMs)
              .arg(s.effectiveIgnoreMs())
              .arg(keys, s.callKey)
              .arg(s.callHoldMs),
          "read");
}

// The next item is timed from its cue's end (cue + step time), a selection stops the cue at
// once, and the cue that follows waits until the entered kana has been spoken.
void tst_access::cueTiming()
{
    AccessFixture a;
    QDir(a.f.programDir()).mkpath(u"cues"_s);
    QVERIFY(writeTone(a.f.programDir(), u"cues/文字盤"_s, 440, 500));
    QVERIFY(writeTone(a.f.programDir(), u"cues/ＢＳ"_s, 440, 300));
    QVERIFY(writeTone(a.f.programDir(), u"あ"_s, 440, 700));
    frmTalk &w = a.create(
        u"ScanMode=1 ScanCue=2 ScanStepMs=1000 ScanFirstExtraMs=1000 ScanLoops=1 OPT1=2"_s);
    QStringList heard; // "ms:cue", "ms:-" for a stop
    a.layer().cues().setSink([&](const QString &cue, std::shared_ptr<const PcmClip> clip) {
        heard.append(u"%1:%2"_s.arg(a.f.clock.nowMs()).arg(clip ? cue : u"-"_s));
    });
    const qint64 t0 = a.f.clock.nowMs();
    QTest::keyClick(w.txtTalk, Qt::Key_Space); // starts: the board, T + E + its cue
    a.pass(2480);
    QCOMPARE(heard.last(), u"%1:cues/文字盤"_s.arg(t0));
    a.pass(40);
    QCOMPARE(heard.last(), u"%1:cues/ＢＳ"_s.arg(t0 + 2520)); // 2,500 ms, at the next poll
    a.pass(1300);                                             // ＢＳ: 1,300 ms
    QVERIFY(heard.last().endsWith(u"cues/読む"_s));           // no file: a tick
    a.pass(20000);                                            // the round runs out: paused
    heard.clear();
    for (int press = 0; press < 3; ++press) { // the board again, the あ column (its head kana), あ
        QTest::keyClick(w.txtTalk, Qt::Key_Space);
        a.pass(300);
    }
    const qint64 selected = a.f.clock.nowMs();
    QTest::keyClick(w.txtTalk, Qt::Key_Space); // entered while its cue plays
    QVERIFY2(heard.filter(u":あ"_s).size() == 2, qPrintable(heard.join(u' ')));
    QVERIFY(heard.contains(u"%1:-"_s.arg(selected))); // stopped at once
    a.pass(1000);
    QCOMPARE(w.txtTalk->text().remove(u'_'), u"あ"_s);
    // The board's cue comes only after the spoken あ (700 ms), at the first poll after it.
    const QString next =
        heard.mid(heard.indexOf(u"%1:-"_s.arg(selected))).filter(u"cues/"_s).value(0);
    const qint64 nextMs = next.section(u':', 0, 0).toLongLong();
    QVERIFY2(next.endsWith(u"cues/文字盤"_s) && nextMs >= selected + 700 &&
                 nextMs < selected + 700 + AccessLayer::kPollMs,
             qPrintable(heard.join(u' ')));
}

void tst_access::switchesEnterAndRead_data()
{
    // Words: a key press (after 300 ms), "held" for a key repeat of Space, or "+N" ms
    // passing. From the start: A lights the board, B enters it (あ column), and so on; か
    // opens the selection screen (one click), whose centre か is lit first; after the entry
    // the board is lit again, then ＢＳ, 読む.
    // A key word ending in "!" is pressed at once, with no pause before it.
    QTest::addColumn<QString>("settings");
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("result"); // the text, and how often か.wav played
    // か.wav plays on the selection screen, on the entry and when read aloud.
    const QString selection = u"OPT1=0 OPT3=0 "_s; // a board press opens the selection screen
    QTest::newRow("two switches, on either key pair")
        << u"ScanMode=2"_s << u"Space held Return 1 2 Return 2 Space 1 Return"_s << u"か 3"_s;
    // "bounce": a second press at once; every handler's wait also gets a press, so the
    // reading aloud stops at its first wait, before か.
    QTest::newRow("one switch, bounces")
        << u"ScanMode=1"_s
        << u"Space bounce Space +2400 Space bounce Space Space bounce +4000 Space"_s << u"か 2"_s;
    // The centre of the selection screen is lit as soon as the spoken か has ended: a press
    // then enters it (the pointer's double-press guard is for pointers only).
    QTest::newRow("two switches, selection screen's centre at once")
        << selection + u"ScanMode=2"_s << u"Space Return Space Return Return Return!"_s
        << u"か 2"_s;
    QTest::newRow("one switch, selection screen's centre at once")
        << selection + u"ScanMode=1"_s << u"Space Space +2700 Space Space Space!"_s << u"か 2"_s;
    // Other keys, a mouse button, a hold time: the same entry as "Space Return Space Return …".
    QTest::newRow("keys of one's own") << selection + u"ScanMode=2 SwitchAKeys=F5 SwitchBKeys=F6"_s
                                       << u"F5 F6 F5 F6 F6 F6!"_s << u"か 2"_s;
    // The clicks land on the board's あ: taken as switch A, they enter nothing themselves.
    QTest::newRow("mouse button as switch A")
        << selection + u"ScanMode=2 SwitchMouse=1"_s
        << u"click Return click Return Return Return!"_s << u"か 2"_s;
    // "/N": held N ms. Shorter than the hold time does nothing; longer acts once let go (a
    // release is believed after a moment: a press at once after it continues the hold).
    QTest::newRow("held long enough")
        << selection + u"ScanMode=2 SwitchHoldMs=300"_s
        << u"Space/350 Space/100 Return/350 Return/250 Space/350 Return/30 Return/350 Return/350 "
           u"+60 Return/350!"_s
        << u"か 2"_s;
    // "/Nr": held N ms, the X server repeating it (see holdWithRepeats): one press still.
    QTest::newRow("held long enough, repeated by the X server")
        << selection + u"ScanMode=2 SwitchHoldMs=1000"_s
        << u"Space/1200r Return/1200r Space/1200r Return/1200r Return/1200r +60 Return/1200r!"_s
        << u"か 2"_s;
    QTest::newRow("one switch held 4 s, repeated by the X server: only starts")
        << u"ScanMode=1"_s << u"Space/4000r"_s << u" 0"_s;
    // One press whose edges bounce 20 ms apart enters the board only, even with no debounce set.
    QTest::newRow("bounce with no debounce set")
        << u"ScanMode=1 SwitchIgnoreMs=0"_s << u"Space Space +20 Space! +20 Space!"_s << u" 0"_s;
    // Four Escapes within three seconds suspend the switches (their keys then type) and four
    // more bring them back; three do nothing.
    QTest::newRow("three Escapes") << u"ScanMode=2"_s << u"Esc Esc Esc 1"_s << u" 0"_s;
    QTest::newRow("four Escapes suspend, four more resume")
        << u"ScanMode=2"_s << u"Esc Esc Esc Esc 1 Esc Esc Esc Esc 1"_s << u"1 0"_s;
}

void tst_access::switchesEnterAndRead()
{
    QFETCH(QString, settings);
    QFETCH(QString, script);
    AccessFixture a;
    frmTalk &w = a.create(settings);
    if (script.contains(u"bounce"))
        a.f.clock.duringWait = [&w] { QTest::keyClick(w.txtTalk, Qt::Key_Space); };
    FlexGrid *board = w.grdBoard;
    for (QString word : script.split(u' ')) {
        const bool atOnce = word.endsWith(u'!') || word == u"bounce";
        word.remove(u'!');
        a.pass(word.startsWith(u'+') ? word.mid(1).toInt() : atOnce ? 0 : 300);
        // The keys reach the composition text first, as a switch interface's would.
        const bool repeats = word.contains(u'/') && word.endsWith(u'r');
        if (repeats)
            word.chop(1);
        const int heldMs = word.section(u'/', 1).toInt();
        word = word.section(u'/', 0, 0);
        const Qt::Key key =
            word == u"bounce" ? Qt::Key_Space : QKeySequence::fromString(word)[0].key();
        if (word == u"held") { // Space held down: the key repeats
            QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, u" "_s, true);
            QCoreApplication::sendEvent(w.txtTalk, &repeat);
        } else if (word == u"click") {
            const QRect a0 = board->visualRect(board->model()->index(0, board->cols() - 1));
            QTest::mouseClick(board->viewport(), Qt::LeftButton, {}, a0.center());
        } else if (repeats) {
            holdWithRepeats(a, w.txtTalk, key, heldMs);
        } else if (heldMs > 0) {
            QTest::keyPress(w.txtTalk, key);
            a.pass(heldMs);
            QTest::keyRelease(w.txtTalk, key);
        } else if (!word.startsWith(u'+')) {
            QTest::keyClick(w.txtTalk, key);
        }
    }
    a.pass(100); // a release is believed once it has settled
    const qsizetype plays = a.f.wave.played.filter(u"/か.wav"_s).size();
    QTEST(u"%1 %2"_s.arg(w.txtTalk->text().remove(u'_')).arg(plays), "result");
    QCOMPARE(a.access.writes + a.f.settings.writes, 0);
}

void tst_access::scanOrder_data()
{
    QTest::addColumn<int>("maxC");
    QTest::addColumn<QString>("clicks");
    QTest::addColumn<QList<int>>("path");
    QTest::addColumn<QString>("labels");
    QTest::newRow("board top") << 9 << QString() << QList<int>{}
                               << u"文字盤 ＢＳ 読む 移動 ひら 例文 広げる"_s;
    QTest::newRow("15 columns, right to left")
        << 14 << QString() << QList<int>{0} << u"あ か さ た な は ま や ら わ が ざ だ ば ぱ"_s;
    QTest::newRow("column top down") << 9 << QString() << QList<int>{0, 1} << u"か き く け こ"_s;
    QTest::newRow("alphanumeric by rows, empty cells skipped")
        << 14 << u"cmdKey cmdKey"_s << QList<int>{0, 0} << u"1 2 3 4 5 6 7 8 9 0"_s;
    QTest::newRow("samples by group") << 9 << u"cmdSamp"_s << QList<int>{1} << u"日記 あ行 か行"_s;
    QTest::newRow("a group's samples") << 9 << u"cmdSamp"_s << QList<int>{1, 2} << u"かさ きく"_s;
}

void tst_access::scanOrder()
{
    QFETCH(int, maxC);
    QFETCH(QString, clicks);
    QFETCH(QList<int>, path);
    AccessFixture a;
    SampleHelpers::writeSamples(a.f, {u"いぬ"_s, u"かさ"_s, u"あさ"_s, u"きく"_s});
    a.f.settings.values.insert(u"gMaxC"_s, QString::number(maxC));
    a.create(u"ScanMode=2"_s);
    for (const QString &name : clicks.split(u' ', Qt::SkipEmptyParts))
        a.f.click(qPrintable(name));
    a.layer().poll();
    const ScanNode *node = &a.layer().plan().root;
    for (int index : path)
        node = &node->children.at(index);
    QStringList labels;
    for (const ScanNode &child : node->children)
        labels.append(child.label);
    QTEST(labels.join(u' '), "labels");
}

void tst_access::questionAnsweredThroughTimers_data()
{
    QTest::addColumn<QString>("settings");
    QTest::addColumn<int>("answer"); // the button of the question aimed at: 0 yes, 1 no
    QTest::newRow("dwell, yes") << u"DwellMode=1"_s << 0;
    QTest::newRow("dwell, no") << u"DwellMode=1"_s << 1;
    QTest::newRow("one switch, yes") << u"ScanMode=1"_s << 0;
    QTest::newRow("two switches, yes") << u"ScanMode=2"_s << 0;
}

// "始め" chosen by dwell or a switch opens the real question; it is answered the same way.
// Everything runs from the layer's own polling timer, as in use: a simulated user acts on
// each tick of a timer of the test's, which also moves the fake clock on.
void tst_access::questionAnsweredThroughTimers()
{
    QFETCH(QString, settings);
    QFETCH(int, answer);
    AccessFixture a;
    FrmOkAsker dialogs;
    a.f.asker.forward = &dialogs;
    frmTalk &w = a.create(settings);
    w.txtTalk->setText(u"あ_"_s);
    const bool dwell = settings.startsWith(u"Dwell");
    QEventLoop loop;
    QTimer user;
    bool asked = false, safeFirst = false;
    int questionTicks = 0;
    qint64 lastPress = 0;
    connect(&user, &QTimer::timeout, [&] {
        a.f.clock.advance(100);
        auto *question = qobject_cast<frmOK *>(QApplication::activeModalWidget());
        // A layer whose polling stopped answers nothing: the question is closed after a minute,
        // so the test fails instead of hanging.
        const bool stuck = a.f.clock.nowMs() > 60000;
        if (question && stuck)
            question->reject();
        // On a question the safe answer (no) comes first: a press too soon discards nothing.
        if (question && !asked)
            safeFirst = ScanPlan::build(w, w.controls(), false).root.children.value(0).label ==
                        question->cmdOK[1]->text();
        asked = asked || question;
        if (stuck || (asked && !question))
            return loop.quit();
        QWidget *goal = question ? question->cmdOK[answer] : static_cast<QWidget *>(w.cmdStart);
        a.pointer = goal->mapToGlobal(goal->rect().center());
        // As a person's pointer does, it comes to the answer from outside the buttons: a window
        // that appears under a resting pointer does not take it until the pointer has moved.
        if (question && questionTicks++ < 3)
            a.pointer = question->mapToGlobal(QPoint(4, 4));
        if (dwell || a.f.clock.nowMs() - lastPress < 400)
            return;
        const ScanNode *lit = a.layer().engine()->lit();
        const bool onGoal = lit && lit->rect.contains(goal->mapTo(goal->window(), QPoint(4, 4)));
        const bool twoSwitches = settings == u"ScanMode=2";
        if (lit && !onGoal && !twoSwitches)
            return; // waits for the light to reach it
        QWidget *keys = question ? static_cast<QWidget *>(question) : w.txtTalk;
        const Qt::Key key = onGoal && twoSwitches ? Qt::Key_Return : Qt::Key_Space;
        // Keys come from the event loop, as a switch interface's do, not from this timer.
        QMetaObject::invokeMethod(
            keys, [keys, key] { QTest::keyClick(keys, key); }, Qt::QueuedConnection);
        lastPress = a.f.clock.nowMs();
    });
    user.start(AccessLayer::kPollMs);
    loop.exec();
    user.stop();
    QVERIFY(asked && safeFirst && a.f.clock.nowMs() <= 60000);
    // The pointer stays where the answer was: what the closed question uncovers there waits.
    a.pass(4000);
    QVERIFY(!w.fraSet->isVisible()); // the board cell beneath did not open its selection
    QCOMPARE(w.txtTalk->text(), answer == 0 ? QString() : u"あ_"_s);
}

void tst_access::callRings_data()
{
    QTest::addColumn<QString>("settings");
    QTest::addColumn<QString>("press"); // "key F12", or "switch", "pointer", "dwell" and its ms
    QTest::addColumn<bool>("rings");
    const QString on = u"CallOn=1 "_s;
    QTest::newRow("nothing stored: F12 is a key like any other")
        << QString() << u"key F12"_s << false;
    QTest::newRow("nothing stored: switch A held 9 s")
        << u"ScanMode=1"_s << u"switch 9000"_s << false;
    QTest::newRow("F12 once turned on") << on << u"key F12"_s << true;
    QTest::newRow("another key set") << on + u"CallKey=F2"_s << u"key F2"_s << true;
    QTest::newRow("F12 once another key is set") << on + u"CallKey=F2"_s << u"key F12"_s << false;
    QTest::newRow("a name that is no key: F12") << on + u"CallKey=Ctrl+"_s << u"key F12"_s << true;
    QTest::newRow("switch A held 3 s") << on + u"ScanMode=1"_s << u"switch 3000"_s << true;
    QTest::newRow("switch A let go just before 3 s")
        << on + u"ScanMode=2"_s << u"switch 2980"_s << false;
    QTest::newRow("switch A held 4 s, repeated by the X server")
        << on + u"ScanMode=1"_s << u"xswitch 4000"_s << true;
    // Let go at 2 s and pressed again at 2.3 s by the X server's clock, both reaching a window
    // that was busy until 2.4 s: two holds, neither of 3 s.
    QTest::newRow("switch A pressed twice, reaching a busy window together")
        << on + u"ScanMode=1"_s << u"busy 3500"_s << false;
    QTest::newRow("switch A held 1.5 s with a selecting hold of 2 s: the call at 3 s")
        << on + u"ScanMode=2 SwitchHoldMs=2000 CallHoldMs=1000"_s << u"switch 1500"_s << false;
    QTest::newRow("F12 held 2.5 s, repeated by the X server") << on << u"xkey 2500"_s << true;
    QTest::newRow("switch A hold set to 0")
        << on + u"ScanMode=1 CallHoldMs=0"_s << u"switch 9000"_s << false;
    QTest::newRow("hold below a second: a second")
        << on + u"ScanMode=1 CallHoldMs=300"_s << u"switch 900"_s << false;
    QTest::newRow("pointer held 1 s") << on << u"pointer 1000"_s << true;
    QTest::newRow("pointer let go at 0.9 s") << on << u"pointer 900"_s << false;
    QTest::newRow("dwell on the button") << on + u"DwellMode=1"_s << u"dwell 2500"_s << true;
    QTest::newRow("dwell, moved away early") << on + u"DwellMode=1"_s << u"dwell 1500"_s << false;
}

// The call chime rings from each of its triggers, and only from a press held its time; any
// press stops it and does nothing else; the text and the settings are never touched.
void tst_access::callRings()
{
    QFETCH(QString, settings);
    QFETCH(QString, press);
    const QString trigger = press.section(u' ', 0, 0);
    const int heldMs = press.section(u' ', 1).toInt();
    AccessFixture a;
    frmTalk &w = a.create(settings);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.txtTalk->setText(u"あ_"_s);
    CallBell &bell = a.layer().bell();
    a.pass(1000);
    // Time passes on the fake clock, and the real event loop lets the button's watch see it.
    const auto pass = [&](int ms) {
        a.pass(ms);
        QTest::qWait(2 * AccessLayer::kPollMs);
    };
    if (trigger == u"key") {
        QTest::keyClick(w.txtTalk, QKeySequence::fromString(press.section(u' ', 1))[0].key());
    } else if (trigger == u"switch") {
        QTest::keyPress(w.txtTalk, Qt::Key_Space);
        pass(heldMs - 100);
        QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, u" "_s, true);
        QCoreApplication::sendEvent(w.txtTalk, &repeat);
        pass(100);
        if (!bell.isRinging())
            QTest::keyRelease(w.txtTalk, Qt::Key_Space);
        pass(5000);
    } else if (trigger == u"busy") {
        const qint64 start = a.f.clock.nowMs();
        sendKey(w.txtTalk, QEvent::KeyPress, Qt::Key_Space, start);
        pass(2000);
        a.f.clock.advance(400);
        sendKey(w.txtTalk, QEvent::KeyRelease, Qt::Key_Space, start + 2000);
        a.f.clock.advance(1);
        sendKey(w.txtTalk, QEvent::KeyPress, Qt::Key_Space, start + 2300);
        pass(heldMs - 2400);
        sendKey(w.txtTalk, QEvent::KeyRelease, Qt::Key_Space, a.f.clock.nowMs());
        pass(5000);
    } else if (trigger.startsWith(u'x')) {
        // The ringing that began goes on through the hold: no repeat stops and rings it anew.
        QPointer<CallScreen> first;
        holdWithRepeats(a, w.txtTalk, trigger == u"xkey" ? Qt::Key_F12 : Qt::Key_Space, heldMs,
                        [&] { first = bell.screen(); });
        pass(100);
        QCOMPARE(first && first == bell.screen(), trigger == u"xkey");
    } else if (trigger == u"pointer") {
        QTest::mousePress(w.cmdCall, Qt::LeftButton);
        pass(heldMs - 100);
        QCOMPARE(w.cmdCall->progress() > 0.5, heldMs > 500);
        pass(100);
        QTest::mouseRelease(w.cmdCall, Qt::LeftButton);
        pass(3000);
    } else {
        a.pointer = w.cmdCall->mapToGlobal(w.cmdCall->rect().center());
        pass(heldMs);
        a.pointer = w.cmdKey->mapToGlobal(w.cmdKey->rect().center());
        pass(200);
    }
    QFETCH(bool, rings);
    QCOMPARE(bell.isRinging(), rings);
    if (rings) {
        QTRY_VERIFY(bell.screen()->isVisible());
        QCOMPARE(QApplication::activeModalWidget(), bell.screen());
        // Nothing beneath the ringing screen is scanned or dwelt on: only "止める" is.
        a.pass(3000);
        QCOMPARE(ScanPlan::build(w, w.controls(), false).root.children.size(), 1);
        a.pointer = QPoint(-1, -1);
        a.pass(200);
        a.pointer = bell.screen()->cmdStop->mapToGlobal(QPoint(10, 10));
        a.pass(3000);
        QCOMPARE(bell.isRinging(), !settings.contains(u"DwellMode"));
        // Only a deliberate press stops it: not a second tap just after it began, nor that
        // switch's contacts bouncing as it is let go.
        bell.stop();
        bell.ring();
        a.pass(500);
        QTest::keyPress(w.txtTalk, Qt::Key_Space);
        a.pass(600);
        QTest::keyRelease(w.txtTalk, Qt::Key_Space);
        a.pass(20);
        QTest::keyClick(w.txtTalk, Qt::Key_Space);
        QVERIFY(bell.isRinging());
        a.pass(300);
        QTest::keyClick(w.txtTalk, Qt::Key_Space); // a switch stops it, as any key does
        QVERIFY(!bell.isRinging());
        bell.ring();
        a.pass(1000);
        QTest::mouseClick(bell.screen()->cmdStop, Qt::LeftButton);
        QVERIFY(!bell.isRinging());
    }
    QCOMPARE(w.txtTalk->text(), u"あ_"_s);
    QCOMPARE(a.access.writes + a.f.settings.writes, 0);
}

void tst_access::callOnQuestionAndPanel_data()
{
    QTest::addColumn<QString>("settings");
    QTest::addColumn<QString>("shown"); // "question" or "panel" (reading aloud)
    QTest::newRow("question, dwell") << u"CallOn=1 DwellMode=1"_s << u"question"_s;
    QTest::newRow("question, two switches") << u"CallOn=1 ScanMode=2"_s << u"question"_s;
    QTest::newRow("reading panel, dwell") << u"CallOn=1 DwellMode=1"_s << u"panel"_s;
    QTest::newRow("call off: no button") << u"DwellMode=1"_s << u"question"_s;
}

// While a question or the reading panel shows, the call stays within reach: a call button of
// their own, dwelt on or scanned to.
void tst_access::callOnQuestionAndPanel()
{
    QFETCH(QString, settings);
    QFETCH(QString, shown);
    AccessFixture a;
    frmTalk &w = a.create(settings);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    frmOK question(&w);
    qint16 stopRead = 0;
    QWidget *window = &question;
    if (shown == u"panel"_s)
        window = new frmRead(w, stopRead); // deletes itself when closed
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    CallButton *call = CallCorners::buttonOf(window);
    QCOMPARE(call != nullptr, settings.contains(u"CallOn"_s));
    a.pass(100); // the pointer comes to the button after it has appeared
    if (call && settings.contains(u"Dwell"_s)) {
        a.pointer = call->mapToGlobal(call->rect().center());
        a.pass(2500);
    }
    for (const Qt::Key key : {Qt::Key_Space, Qt::Key_Space, Qt::Key_Space, Qt::Key_Return})
        if (call && settings.contains(u"ScanMode"_s)) {
            a.pass(300);
            QTest::keyClick(window, key); // no, yes, the call: chosen
        }
    a.pass(100);
    QCOMPARE(a.layer().bell().isRinging(), call != nullptr);
    a.layer().bell().stop();
    if (auto *panel = qobject_cast<frmRead *>(window))
        panel->unload();
}

void tst_access::keysChosen_data()
{
    // "catcher:key" words, the catcher A, B or call, each key pressed on a catch of its own;
    // "holds:S,C" sets the selecting and the call hold (seconds).
    QTest::addColumn<QString>("script");
    QTest::addColumn<QStringList>("told"); // the reason shown for each key refused, in order
    QTest::addColumn<QString>("stored");   // A's keys / B's keys / call key / call hold ms
    const QString plain = u"Space, 1 / Return, 2 / F12 / 3000"_s;
    const auto why = [](const char16_t *text) { return QString::fromUtf16(text); };
    QTest::newRow("B takes 1 from A: A gets B's keys")
        << u"B:1"_s << QStringList() << u"Return, 2 / 1 / F12 / 3000"_s;
    QTest::newRow("A takes Return from B: B gets A's keys")
        << u"A:Return"_s << QStringList() << u"Return / Space, 1 / F12 / 3000"_s;
    QTest::newRow("keypad enter is Return")
        << u"A:Enter"_s << QStringList() << u"Return / Space, 1 / F12 / 3000"_s;
    QTest::newRow("B gets A's keys as they are now, not the call key")
        << u"A:F5 call:1 A:Return"_s << QStringList() << u"Return / F5 / 1 / 3000"_s;
    QTest::newRow("swapped twice")
        << u"A:Return B:Return"_s << QStringList() << u"Space, 1 / Return / F12 / 3000"_s;
    QTest::newRow("the call refuses B's key")
        << u"call:2"_s << QStringList{why(AccessTexts::kSwitchKeyRefused)} << plain;
    QTest::newRow("B refuses the call key")
        << u"call:F2 B:F2"_s << QStringList{why(AccessTexts::kCallKeyRefused)}
        << u"Space, 1 / Return, 2 / F2 / 3000"_s;
    QTest::newRow("A refuses the call key")
        << u"A:F12"_s << QStringList{why(AccessTexts::kCallKeyRefused)} << plain;
    QTest::newRow("the call refuses an arrow and Esc; the dialog stays")
        << u"call:Left call:Esc"_s
        << QStringList{why(AccessTexts::kArrowRefused), why(AccessTexts::kEscapeRefused)} << plain;
    QStringList refused;
    for (const int key : {Qt::Key_Left, Qt::Key_Shift, Qt::Key_Backspace, Qt::Key_Tab})
        refused.append(why(SwitchKeys::refusal(key)));
    QTest::newRow("a switch refuses the keys the program needs")
        << u"A:Left A:Shift A:Backspace A:Tab"_s << refused << plain;
    for (const char *holds : {"2.0,1.0", "2.0,2.0", "2.0,2.9"})
        QTest::addRow("call hold within the selecting hold: refused, %s", holds)
            << u"holds:"_s + QLatin1StringView(holds) << QStringList() << u"refused"_s;
    QTest::newRow("call hold a second after the selecting hold")
        << u"holds:2.0,3.0"_s << QStringList() << plain;
}

// Keys chosen one after another on the switch tab, each by pressing it: a key given to one
// switch leaves the other with keys of its own, and neither switch ever shares a key with the
// call. Keys the program, the switches or the call need are refused with the reason shown, and
// the wait goes on for a good key. 確定 refuses a call hold that a selecting hold reaches,
// says why, and writes nothing.
void tst_access::keysChosen()
{
    QFETCH(QString, script);
    MemorySettingsStore store;
    store.values.insert(u"CallOn"_s, u"1"_s);
    frmAccess dialog(nullptr, store);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    QStringList told;
    for (const QString &word : script.split(u' ')) {
        const QString which = word.section(u':', 0, 0), what = word.section(u':', 1);
        if (which == u"holds"_s) {
            dialog.spnSwitchHold->setValue(what.section(u',', 0, 0).toDouble());
            dialog.spnCallHold->setValue(what.section(u',', 1).toDouble());
            continue;
        }
        KeyCatcher *keys =
            which == u"call"_s ? dialog.catCallKey : dialog.keySwitch[which == u"A"_s ? 0 : 1];
        QTest::mouseClick(keys->findChild<QPushButton *>(u"cmdCatch"_s), Qt::LeftButton);
        const Qt::Key key =
            what == u"Shift"_s ? Qt::Key_Shift : QKeySequence::fromString(what)[0].key();
        QTest::keyClick(QApplication::focusWidget(), key);
        QVERIFY(dialog.isVisible());
        const QLabel *message = keys->message();
        QCOMPARE(message->isVisibleTo(&dialog), keys->catching());
        if (keys->catching()) { // refused: the wait is ended by clicking elsewhere
            told.append(message->text());
            dialog.cmdOK[0]->setFocus();
        }
    }
    QTEST(told, "told");
    dialog.cmdOK_Click(1);
    QCOMPARE(dialog.lblCallHoldRefused->isVisible(), dialog.isVisible());
    QCOMPARE(store.writes == 0, dialog.isVisible());
    const QString written = u"%1 / %2 / %3 / %4"_s.arg(
        store.values.value(u"SwitchAKeys"_s), store.values.value(u"SwitchBKeys"_s),
        store.values.value(u"CallKey"_s), store.values.value(u"CallHoldMs"_s));
    QTEST(dialog.isVisible() ? u"refused"_s : written, "stored");
}

void tst_access::framesInsideScreen_data()
{
    QTest::addColumn<QSize>("screen");
    QTest::addColumn<QString>("shown");
    for (const QSize size : {QSize(1024, 768), QSize(1280, 1024), QSize(1920, 1080)})
        for (const char *shown : {"board", "selection", "samples", "wide"})
            QTest::addRow("%dx%d, %s", size.width(), size.height(), shown)
                << size << QString::fromLatin1(shown);
}

// The window fills the screen's width; the controls take the width the design's shape leaves
// over while text keeps the height's scale, every caption whole. Each screen's every frame,
// the paused hint and the call button lie inside the window; the hint leaves the board
// switch's caption readable; the call button keeps clear of every other control.
void tst_access::framesInsideScreen()
{
    QFETCH(QSize, screen);
    QFETCH(QString, shown);
    AccessFixture a;
    SampleHelpers::writeSamples(a.f, {u"いぬ"_s, u"かさ"_s});
    frmTalk &w = a.create(u"OPT1=0 ScanMode=2 CallOn=1"_s);
    const QSize fitted = w.fittedSize(screen);
    QCOMPARE(fitted.width(), screen.width());
    QVERIFY(fitted.height() <= screen.height());
    w.resize(fitted);
    QTRY_COMPARE(w.size(), fitted);
    const double designWidth = Units::twipsToPixels(frmTalk::kDesignWidth, 1.0);
    const double designHeight = Units::twipsToPixels(frmTalk::kDesignHeight, 1.0);
    const double textScale = std::min(w.width() / designWidth, w.height() / designHeight);
    QCOMPARE(w.grdBoard->font().pixelSize(), qRound(Units::pointsToPixels(54.75, textScale)));
    QVERIFY(qAbs(w.grdBoard->columnWidth(0) -
                 w.grdBoard->colWidth(0) * w.width() / double(frmTalk::kDesignWidth)) <= 1);
    if (shown == u"selection")
        a.f.clickCell("grdBoard", 1, 4); // ひ: a cell with both neighbours
    else if (shown != u"board")
        a.f.click(shown == u"samples" ? "cmdSamp" : "cmdWide");
    QVERIFY(w.cmdCall->isVisible());
    const QRect call(w.cmdCall->mapTo(&w, QPoint()), w.cmdCall->size());
    for (const DesignButton *b : w.findChildren<DesignButton *>()) {
        // "例文削除" is as high as its font: a size smaller at every scale, as designed.
        if (!b->isVisibleTo(&w) || b->window() != &w || b == w.cmdSampDel)
            continue;
        const DesignButton::Caption caption =
            DesignButton::layoutCaption(b->text(), b->font(), b->captionBox());
        QVERIFY2(caption.font.pixelSize() == b->font().pixelSize(), qPrintable(b->objectName()));
        QVERIFY2(b == w.cmdCall || !call.intersects(QRect(b->mapTo(&w, QPoint()), b->size())),
                 qPrintable(b->objectName()));
    }
    QVERIFY(!call.intersects(w.txtTalk->geometry()));
    QVERIFY(call.bottom() + w.height() / 30 < w.grdBoard->y()); // a gap above the board
    a.pass(AccessLayer::kPollMs);
    QList<QRect> rects;
    collectRects(a.layer().plan().root, rects);
    QVERIFY(rects.size() > 3);
    for (const QRect &r : std::as_const(rects))
        QVERIFY(w.rect().contains(r));
    if (shown == u"selection") // the right column whole, not cut at the edge
        QVERIFY(w.grdBoard2->columnViewportPosition(2) + w.grdBoard2->columnWidth(2) <=
                w.grdBoard2->viewport()->width());
    auto *overlay = w.findChild<AccessOverlay *>();
    QVERIFY(overlay);
    overlay->repaint();
    const QRect hint = overlay->pausedHintRect();
    QVERIFY(w.rect().contains(hint));
    if (shown == u"board") {
        QRect caption = w.cmdKey->fontMetrics().boundingRect(w.cmdKey->text());
        caption.moveCenter(w.cmdKey->geometry().center());
        QVERIFY(!hint.intersects(caption));
        QVERIFY(!hint.intersects(w.txtTalk->geometry()));
    }
}

QTEST_MAIN(tst_access)
#include "tst_access.moc"
