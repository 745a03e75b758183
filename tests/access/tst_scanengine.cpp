#include "access/DwellTracker.h"
#include "access/ScanEngine.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {
ScanNode leaf(const QString &label, int target)
{
    ScanNode n;
    n.label = label;
    n.target = target;
    return n;
}

// Top level: a group "G" of a, b, c (targets 0-2), then x (3), y (4).
ScanNode tree()
{
    ScanNode group;
    group.label = u"G"_s;
    group.children = {leaf(u"a"_s, 0), leaf(u"b"_s, 1), leaf(u"c"_s, 2)};
    ScanNode root;
    root.children = {group, leaf(u"x"_s, 3), leaf(u"y"_s, 4)};
    return root;
}

// Runs a script on a fresh engine at T=1000, E=500, 2 rounds, ignore 200 ms.
// "A", "B": a switch press; "+N": N ms pass (ticking every 10 ms); "R": the handler returned.
// Returns the lit labels after each word ("-" while paused) and "=t" for each selection.
QString run(int mode, const QString &script)
{
    ScanEngine engine({mode, 1000, 500, 2, true, 200});
    qint64 now = 0;
    engine.setTree(tree(), now, false);
    QStringList seen;
    for (const QString &word : script.split(u' ', Qt::SkipEmptyParts)) {
        if (word.startsWith(u'+')) {
            for (const qint64 end = now + word.mid(1).toInt(); now < end;)
                engine.tick(now += 10);
        } else if (word == u"R") {
            engine.rearm(now);
        } else {
            const int selected =
                engine.press(word == u"A" ? ScanEngine::Switch::A : ScanEngine::Switch::B, now);
            if (selected >= 0)
                seen.append(u"=%1"_s.arg(selected));
        }
        seen.append(engine.lit() ? engine.lit()->label : u"-"_s);
    }
    return seen.join(u' ');
}
} // namespace

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
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("expected");
    // Mode 1: the first press only starts; the first item of a level of three holds T+E.
    QTest::newRow("start on press") << 1 << u"+5000 A +1490 +20"_s << u"- G G x"_s;
    QTest::newRow("enter group, select") << 1 << u"A +300 A +300 A"_s << u"G G a a =0 a"_s;
    QTest::newRow("steps inside") << 1 << u"A +300 A +1510 +1000 A"_s << u"G G a b c =2 c"_s;
    QTest::newRow("bounce dropped") << 1 << u"A +300 A +100 A"_s << u"G G a a a"_s;
    QTest::newRow("disarmed until rearm")
        << 1 << u"A +300 A +300 A +300 A +5000 R A"_s << u"G G a a =0 a a a a a =0 a"_s;
    // Two rounds of the group without a press return to it; two top rounds pause.
    QTest::newRow("inner rounds go up") << 1 << u"A +300 A +6990 +20"_s << u"G G a c G"_s;
    QTest::newRow("top rounds pause") << 1 << u"A +3510 +3480 +20"_s << u"G G y -"_s;
    QTest::newRow("no timeout selects") << 1 << u"A +300 A +20000"_s << u"G G a -"_s;
    // Mode 2: nothing moves by itself; A steps, B selects.
    QTest::newRow("two switches") << 2 << u"A +9000 A +300 B +300 A +300 B"_s
                                  << u"G G x x =3 x x x x x"_s;
    QTest::newRow("two switches enter")
        << 2 << u"B +300 B +300 A +300 B"_s << u"G G a a b b =1 b"_s;
    QTest::newRow("other switch is no bounce") << 2 << u"A +300 A +100 B"_s << u"G G x x =3 x"_s;
    QTest::newRow("step wraps then pauses")
        << 2 << u"A +300 A +300 A +300 A +300 A +300 A +300 A"_s << u"G G x x y y G G x x y y -"_s;
}

void tst_scanengine::script()
{
    QFETCH(int, mode);
    QFETCH(QString, script);
    QFETCH(QString, expected);
    QCOMPARE(run(mode, script), expected);
}

void tst_scanengine::dwell_data()
{
    // The pointer's path as target:ms segments, fed every 40 ms; lock 250, fill 1000, grace 750.
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("fires");
    QTest::newRow("rest 1.25 s fires") << u"k:1300"_s << u"k"_s;
    QTest::newRow("just short") << u"k:1200 -:2000"_s << u""_s;
    QTest::newRow("rest 10 s fires once") << u"k:10000"_s << u"k"_s;
    QTest::newRow("leave and return") << u"k:1300 -:800 k:1300"_s << u"k k"_s;
    QTest::newRow("short exit keeps fill") << u"k:800 -:500 k:600"_s << u"k"_s;
    QTest::newRow("long exit restarts") << u"k:800 -:1000 k:1000"_s << u""_s;
    QTest::newRow("hop to neighbour") << u"k:800 j:120 k:600"_s << u"k"_s;
    QTest::newRow("neighbour takes over") << u"k:800 j:1400"_s << u"j"_s;
    QTest::newRow("back off too soon") << u"k:1300 -:400 k:1300"_s << u"k"_s;
    QTest::newRow("jitter on and off") << u"k:120 -:40 k:120 -:40 k:120 -:40 k:120"_s << u""_s;
}

void tst_scanengine::dwell()
{
    QFETCH(QString, path);
    QFETCH(QString, fires);
    DwellTracker tracker({250, 750});
    qint64 now = 0;
    QStringList fired;
    for (const QString &segment : path.split(u' ')) {
        const QString target =
            segment.section(u':', 0, 0) == u"-" ? QString() : segment.section(u':', 0, 0);
        for (const qint64 end = now + segment.section(u':', 1).toInt(); now < end; now += 40)
            if (tracker.feed(target, 1000, now).fire)
                fired.append(target);
    }
    QCOMPARE(fired.join(u' '), fires);
}

QTEST_GUILESS_MAIN(tst_scanengine)
#include "tst_scanengine.moc"
