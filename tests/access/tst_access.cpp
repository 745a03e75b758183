#include "SampleHelpers.h"
#include "TalkFixture.h"
#include "access/AccessLayer.h"
#include "dialogs/frmOK.h"
#include "platform/PressGuard.h"
#include "platform/TextBox.h"

#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace Qt::Literals::StringLiterals;

namespace {
// The real window with the access layer on an in-memory "ACCESS" section.
struct AccessFixture
{
    TalkFixture f;
    MemorySettingsStore access;

    frmTalk &create(const QMap<QString, QString> &values)
    {
        access.values = values;
        frmTalk &w = f.create();
        w.installAccess(access);
        return w;
    }
    AccessLayer &layer() { return *f.window().access(); }
    // Lets `ms` pass on the fake clock, polling as the timer does, with the event loop between.
    void pass(int ms)
    {
        for (int i = 0; i < ms; i += AccessLayer::kPollMs) {
            QCoreApplication::sendPostedEvents(nullptr, PressGuard::eventsRunType());
            f.clock.advance(AccessLayer::kPollMs);
            layer().poll();
        }
    }
};
} // namespace

class tst_access : public QObject
{
    Q_OBJECT

  private slots:
    void settingsClamped_data();
    void settingsClamped();
    void switchesEnterAndRead_data();
    void switchesEnterAndRead();
    void escapeSuspends();
    void scanOrder_data();
    void scanOrder();
    void questionSafeAnswerFirst();
};

void tst_access::settingsClamped_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<int>("stepMs");
    QTest::addColumn<int>("ignoreMs");
    QTest::newRow("step too short") << u"ScanStepMs"_s << u"50"_s << 300 << 149;
    QTest::newRow("step huge") << u"ScanStepMs"_s << u"99999999999"_s << 10000 << 250;
    QTest::newRow("not a number") << u"ScanStepMs"_s << u"1.5s"_s << 1500 << 250;
    QTest::newRow("spaces") << u"ScanStepMs"_s << u" 2000 "_s << 2000 << 250;
    QTest::newRow("ignore over half a step") << u"SwitchIgnoreMs"_s << u"2000"_s << 1500 << 749;
}

void tst_access::settingsClamped()
{
    QFETCH(QString, key);
    QFETCH(QString, stored);
    MemorySettingsStore store;
    store.values.insert(key, stored);
    const AccessSettings s = AccessSettings::read(store);
    QTEST(s.scanStepMs, "stepMs");
    QTEST(s.effectiveIgnoreMs(), "ignoreMs");
}

void tst_access::switchesEnterAndRead_data()
{
    // Words: a key press (after 300 ms), "held" for a key repeat of Space, or "+N" ms
    // passing. From the start: A lights the board, B enters it (あ column), and so on; か
    // opens the selection screen (one click), whose centre か is lit first; after the entry
    // the board is lit again, then ＢＳ, 読む.
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("plays"); // of か.wav: selection screen, entry, reading aloud
    QTest::newRow("two switches, on either key pair")
        << u"2"_s << u"Space held Return 1 2 Return 2 Space 1 Return"_s << u"か"_s << 3;
    // "bounce": a second press at once; every handler's wait also gets a press, so the
    // reading aloud stops at its first wait, before か.
    QTest::newRow("one switch, bounces")
        << u"1"_s << u"Space bounce Space +2400 Space bounce Space Space bounce +4000 Space"_s
        << u"か"_s << 2;
}

void tst_access::switchesEnterAndRead()
{
    QFETCH(QString, mode);
    QFETCH(QString, script);
    AccessFixture a;
    frmTalk &w = a.create({{u"ScanMode"_s, mode}});
    if (script.contains(u"bounce"))
        a.f.clock.duringWait = [&w] { QTest::keyClick(w.txtTalk, Qt::Key_Space); };
    for (const QString &word : script.split(u' ')) {
        a.pass(word.startsWith(u'+') ? word.mid(1).toInt() : word == u"bounce" ? 0 : 300);
        // The keys reach the composition text first, as a switch interface's would.
        const int key = word == u"Return" ? Qt::Key_Return
                        : word == u"1"    ? Qt::Key_1
                        : word == u"2"    ? Qt::Key_2
                                          : Qt::Key_Space;
        if (word == u"held") { // Space held down: the key repeats
            QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, u" "_s, true);
            QCoreApplication::sendEvent(w.txtTalk, &repeat);
        } else if (!word.startsWith(u'+')) {
            QTest::keyClick(w.txtTalk, Qt::Key(key));
        }
    }
    QFETCH(QString, text);
    QVERIFY2(w.txtTalk->text().startsWith(text), qPrintable(w.txtTalk->text()));
    QVERIFY(!w.txtTalk->text().contains(u' ') && !w.txtTalk->text().contains(u'1'));
    QTEST(int(a.f.wave.played.filter(u"/か.wav"_s).size()), "plays");
    QCOMPARE(a.access.writes + a.f.settings.writes, 0);
}

void tst_access::escapeSuspends()
{
    AccessFixture a;
    frmTalk &w = a.create({{u"ScanMode"_s, u"2"_s}});
    const auto escapes = [&](int count, int gapMs) {
        for (int i = 0; i < count; ++i) {
            a.f.clock.advance(gapMs);
            QTest::keyClick(w.txtTalk, Qt::Key_Escape);
        }
    };
    escapes(3, 0);
    QVERIFY(!a.layer().suspended());
    escapes(1, 0);
    QVERIFY(a.layer().suspended());
    QTest::keyClick(w.txtTalk, Qt::Key_Space); // types while suspended
    a.f.clock.advance(3000);
    escapes(4, 900); // four within three seconds
    QVERIFY(!a.layer().suspended());
    QTest::keyClick(w.txtTalk, Qt::Key_Space);
    QCOMPARE(w.txtTalk->text(), u" "_s);
    QVERIFY(a.layer().engine()->lit());
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
    a.create({{u"ScanMode"_s, u"2"_s}});
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

// On a question the safe answer (no) is lit first, so a switch press that comes too soon
// cannot delete or discard anything.
void tst_access::questionSafeAnswerFirst()
{
    AccessFixture a;
    frmTalk &w = a.create({{u"ScanMode"_s, u"2"_s}});
    frmOK question(&w);
    QString first;
    QTimer::singleShot(0, &w, [&] {
        a.layer().poll();
        first = a.layer().plan().root.children.value(0).label;
        QTest::keyClick(&question, Qt::Key_Space); // starts the scan on the first answer
        a.pass(300);
        QTest::keyClick(&question, Qt::Key_Return);
    });
    QVERIFY(!question.ask(u"消しますか"_s, frmOK::kYesNo, u"確認"_s));
    QCOMPARE(first, question.cmdOK[1]->text());
}

QTEST_MAIN(tst_access)
#include "tst_access.moc"
