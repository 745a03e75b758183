#include "access/DwellTracker.h"
#include "access/ScanEngine.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;

class tst_scanengine : public QObject
{
    Q_OBJECT

  private slots:
    void script_data();
    void script();
    void dwell_data();
    void dwell();
};

void tst_scanengine::script_data()
{
    // Words: "A", "B" a switch press; "+N" N ms pass (ticking every 10 ms); "R" the handler
    // returned. Expected: the lit label after each word ("-" while paused), "=t" a selection.
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("expected");
    // Mode 1: the first press only starts; the first item of a level of three holds T+E.
    QTest::newRow("start on press") << 1 << u"+5000 A +1490 +20"_s << u"- G G x"_s;
    QTest::newRow("steps inside") << 1 << u"A +300 A +1510 +1000 A"_s << u"G G a b c =2 c"_s;
    QTest::newRow("bounce dropped") << 1 << u"A +300 A +100 A"_s << u"G G a a a"_s;
    QTest::newRow("disarmed until rearm")
        << 1 << u"A +300 A +300 A +300 A +5000 R A"_s << u"G G a a =0 a a a a a =0 a"_s;
    // Two rounds of a group without a press return to its parent; at the top they pause.
    QTest::newRow("inner rounds go up") << 1 << u"A +300 A +6990 +20"_s << u"G G a c G"_s;
    // Mode 2: nothing moves by itself; A steps, B enters or selects, and neither is taken
    // for a bounce of the other.
    QTest::newRow("two switches") << 2 << u"B +9000 B +300 A +100 B"_s << u"G G a a b b =1 b"_s;
    QTest::newRow("step wraps then pauses")
        << 2 << u"A +300 A +300 A +300 A +300 A +300 A +300 A"_s << u"G G x x y y G G x x y y -"_s;
}

void tst_scanengine::script()
{
    QFETCH(int, mode);
    QFETCH(QString, script);
    // T=1000, E=500, 2 rounds, ignore 200 ms; a group G of a, b, c (targets 0-2), then x, y.
    using Switch = ScanEngine::Switch;
    ScanEngine engine({mode, 1000, 500, 2, true, 200});
    const auto leaf = [](const QString &label, int target) {
        return ScanNode{label, {}, target, {}, {}};
    };
    const ScanNode group{u"G"_s, {}, -1, {leaf(u"a"_s, 0), leaf(u"b"_s, 1), leaf(u"c"_s, 2)}, {}};
    qint64 now = 0;
    engine.setTree({{}, {}, -1, {group, leaf(u"x"_s, 3), leaf(u"y"_s, 4)}, {}}, now, false);
    QStringList seen;
    for (const QString &word : script.split(u' ')) {
        if (word.startsWith(u'+')) {
            for (const qint64 end = now + word.mid(1).toInt(); now < end;)
                engine.tick(now += 10);
        } else if (word == u"R") {
            engine.rearm(now);
        } else if (const int target = engine.press(word == u"A" ? Switch::A : Switch::B, now);
                   target >= 0) {
            seen.append(u"=%1"_s.arg(target));
        }
        seen.append(engine.lit() ? engine.lit()->label : u"-"_s);
    }
    QTEST(seen.join(u' '), "expected");
}

void tst_scanengine::dwell_data()
{
    // The pointer's path as target:ms segments, fed every 40 ms; lock 250, fill 1000, grace 750.
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("fires");
    QTest::newRow("just short") << u"k:1200 -:2000"_s << u""_s;
    QTest::newRow("leave and return") << u"k:1300 -:800 k:1300"_s << u"k k"_s;
    QTest::newRow("back off too soon") << u"k:1300 -:400 k:1300"_s << u"k"_s;
    QTest::newRow("short exit keeps fill") << u"k:800 -:500 k:600"_s << u"k"_s;
    QTest::newRow("long exit restarts") << u"k:800 -:1000 k:1000"_s << u""_s;
    QTest::newRow("hop to neighbour") << u"k:800 j:120 k:600"_s << u"k"_s;
    QTest::newRow("neighbour takes over") << u"k:800 j:1400"_s << u"j"_s;
    QTest::newRow("jitter restarts the lock") << u"k:120 -:40 k:120 -:40 k:1200"_s << u""_s;
}

void tst_scanengine::dwell()
{
    QFETCH(QString, path);
    DwellTracker tracker({250, 750});
    qint64 now = 0;
    QStringList fired;
    for (const QString &segment : path.split(u' ')) {
        const QString target = segment.section(u':', 0, 0).remove(u'-');
        for (const qint64 end = now + segment.section(u':', 1).toInt(); now < end; now += 40)
            if (tracker.feed(target, 1000, now).fire)
                fired.append(target);
    }
    QTEST(fired.join(u' '), "fires");
}

QTEST_GUILESS_MAIN(tst_scanengine)
#include "tst_scanengine.moc"
