// A simulated switch or dwell user on the real window (offscreen, fake clock): the phrase set
// of fifteen everyday requests, reaction time ~N(0.6 s, 0.15 s), a bounce on 10 % of presses.
// Prints kana per minute, highlight steps per kana, accidental selections per 100 and lost
// presses per 100 (a press on the item lit at that moment that did nothing) for one switch at
// 1.5 s and 1.0 s steps, quick and slow reactions with the voice on, two switches (also at a
// steady one press per 0.6 s), and dwell with a jittering pointer. With voice cues every item
// first says its name (the generated voices) and then shows for the step time. A tremor adds
// two 30 ms taps after one press in five; with a hold time they do nothing.
//
//   scan_sim [NAME-PART]   runs only the cases whose name holds NAME-PART
#include "TalkFixture.h"
#include "access/AccessLayer.h"
#include "access/CuePlayer.h"
#include "platform/FlexGrid.h"
#include "platform/TextBox.h"

#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFrame>
#include <QTest>
#include <cstdio>
#include <random>

using namespace Qt::Literals::StringLiterals;

namespace {
const QStringList kPhrases = {
    u"おはようございます"_s,   u"ありがとう"_s,       u"みずをください"_s, u"いたい"_s,
    u"といれにいきたい"_s,     u"さむい"_s,           u"あつい"_s,         u"てれびをつけて"_s,
    u"からだのむきをかえて"_s, u"たんをとって"_s,     u"くるしい"_s,       u"かゆい"_s,
    u"めがねをとって"_s,       u"まくらをなおして"_s, u"だいじょうぶ"_s};

// The board cell whose selection screen holds `kana`: voiced kana under their plain form,
// small kana under their large form.
QString boardCellFor(const QString &kana)
{
    const QString small = u"ぁぃぅぇぉっゃゅょゎ"_s, large = u"あいうえおつやゆよわ"_s;
    if (const int i = small.indexOf(kana); i >= 0)
        return large.mid(i, 1);
    return kana.normalized(QString::NormalizationForm_D).left(1);
}

bool findPath(const ScanNode &node, const std::function<bool(const ScanNode &)> &wanted,
              QList<int> &path)
{
    for (int i = 0; i < node.children.size(); ++i) {
        path.append(i);
        const ScanNode &child = node.children[i];
        if (child.isGroup() ? findPath(child, wanted, path) : wanted(child))
            return true;
        path.removeLast();
    }
    return false;
}

struct Figures
{
    double minutes = 0;
    int kana = 0;
    int steps = 0;
    int presses = 0;
    int selections = 0;
    int accidental = 0;
    int lost = 0;
};

class Sim
{
  public:
    // `voice`: every selection speaks (the board waits 0.5 s for the voice).
    Sim(int mode, int stepMs, bool dwell, unsigned seed, int opt1 = 0, bool voice = false,
        const QMap<QString, QString> &more = {})
        : m_mode(mode), m_rng(seed)
    {
        f.settings.values.insert(u"OPT1"_s, QString::number(opt1));
        f.settings.values.insert(u"OPT3"_s, voice ? u"0"_s : u"3"_s);
        QMap<QString, QString> values{{u"ScanStepMs"_s, QString::number(stepMs)}};
        values.insert(dwell ? u"DwellMode"_s : u"ScanMode"_s,
                      dwell ? u"1"_s : QString::number(mode));
        values.insert(more);
        m_access.values = values;
        m_holdMs = values.value(u"SwitchHoldMs"_s).toInt();
        if (values.value(u"ScanCue"_s) == u"2"_s)
            linkVoices();
        m_w = &f.create();
        m_w->installAccess(m_access);
        layer().setPointerSource([this] { return m_pointer; });
        f.clock.duringWait = [this] {
            if (std::exchange(m_bounceDue, false))
                press(m_key); // a bounce arriving while the handler waits
        };
    }

    AccessLayer &layer() { return *m_w->access(); }
    // The generated voices, and the buttons' spoken names, in the program folder.
    void linkVoices()
    {
        const QString from = QStringLiteral(TALK_PROGRAM_DIR);
        QDir(f.programDir()).mkpath(u"cues"_s);
        for (QDirIterator it(from, {u"*.wav"_s}, QDir::Files, QDirIterator::Subdirectories);
             it.hasNext();) {
            const QString path = it.next();
            QFile::link(path, f.programDir() + path.mid(from.size()));
        }
    }
    // One press in five is followed by two 30 ms taps of a tremor, 100 and 350 ms after it.
    void setTremor(bool on) { m_tremor = on; }
    // Reaction ~N(ms, ms / 4) after the wanted item lights.
    void setReaction(int ms) { m_reaction = std::normal_distribution<double>(ms, ms / 4.0); }
    // A steady rhythm instead: one press every `ms`, deciding on what is lit at that moment.
    void setRhythm(int ms) { m_rhythmMs = ms; }
    QString typed() const { return m_w->txtTalk->text().remove(u'_'); }

    void tick()
    {
        f.clock.advance(10);
        layer().poll();
        QCoreApplication::sendPostedEvents(); // as the event loop between the timer's ticks
        if (layer().engine() && layer().engine()->path() != m_lastPath) {
            m_lastPath = layer().engine()->path();
            ++m.steps;
        }
    }
    void wait(qint64 ms)
    {
        for (qint64 t = 0; t < ms; t += 10)
            tick();
    }
    qint64 reaction() { return std::max<qint64>(100, qint64(m_reaction(m_rng))); }
    void waitToPress()
    {
        if (m_rhythmMs == 0)
            return wait(reaction());
        wait(std::max<qint64>(0, m_lastPressMs + m_rhythmMs - f.clock.nowMs()));
    }

    void press(Qt::Key key = Qt::Key_Space, int heldMs = 0)
    {
        QTest::keyPress(m_w->txtTalk, key);
        if (heldMs > 0)
            wait(heldMs);
        QTest::keyRelease(m_w->txtTalk, key);
        QCoreApplication::sendPostedEvents(); // the selection's press, queued by the layer
    }
    // What a press can change: the light, the screen, the text.
    QString state()
    {
        QString lit;
        for (int i : layer().engine()->path())
            lit += QString::number(i) + u'.';
        return lit + QString::number(layer().engine()->running()) + layer().plan().screen + typed();
    }

    // Switch user: presses when the next item on the way to the wanted leaf lights.
    void scanTo(const std::function<bool(const ScanNode &)> &wanted)
    {
        // Ticks of 10 ms: long enough for the last column with spoken cues (~25 s away).
        for (int guard = 0; guard < 6000; ++guard) {
            QList<int> path;
            const ScanEngine &e = *layer().engine();
            if (!findPath(layer().plan().root, wanted, path))
                return;
            if (!e.running()) {
                pressWithBounce(Qt::Key_Space);
                continue;
            }
            const QList<int> lit = e.path();
            const bool onTheWay = lit.size() <= path.size() && path.mid(0, lit.size()) == lit;
            if (!onTheWay && m_mode == 1) {
                tick();
                continue;
            }
            waitToPress();
            const QList<int> before = layer().engine()->path();
            pressWithBounce(m_mode == 2 && onTheWay ? Qt::Key_Return : Qt::Key_Space);
            if (before == path && (m_mode == 1 || onTheWay))
                return;
        }
    }
    void pressWithBounce(Qt::Key key)
    {
        ++m.presses;
        m_bounceDue = m_uniform(m_rng) < 0.1;
        m_key = key;
        const QString before = state();
        m_lastPressMs = f.clock.nowMs();
        // With a hold time set, the user holds each press a little longer than it.
        press(key, m_holdMs > 0 ? m_holdMs + int(std::abs(m_holdSpread(m_rng))) : 0);
        if (state() == before)
            ++m.lost;
        if (std::exchange(m_bounceDue, false)) {
            wait(40);
            press(key);
        }
        if (m_tremor && m_uniform(m_rng) < 0.2) {
            wait(100);
            press(key, 30);
            wait(220);
            press(key, 30);
        }
    }

    // Dwell user: glances away for 300 ms, then holds the pointer on the leaf's centre with
    // jitter until something happens (or 5 s pass).
    void dwellOn(const std::function<bool(const ScanNode &)> &wanted)
    {
        QList<int> path;
        if (!findPath(layer().plan().root, wanted, path))
            return;
        const ScanNode *node = &layer().plan().root;
        for (int i : path)
            node = &node->children[i];
        const QRect rect = node->rect;
        QWidget *window = layer().plan().window;
        m_pointer = m_w->txtTalk->mapToGlobal(QPoint(5, 5));
        wait(300);
        std::normal_distribution<double> jx(0, rect.width() * 0.15), jy(0, rect.height() * 0.15);
        const QString before = typed() + layer().plan().screen;
        for (int t = 0; t < 5000 && typed() + layer().plan().screen == before; t += 10) {
            m_pointer = window->mapToGlobal(rect.center() + QPoint(int(jx(m_rng)), int(jy(m_rng))));
            tick();
        }
    }

    void enter(const QString &kana, bool dwell)
    {
        const auto label = [](const QString &text) {
            return [text](const ScanNode &n) { return n.label == text; };
        };
        const QString expected = typed() + kana;
        for (int attempt = 0; attempt < 5 && typed() != expected; ++attempt) {
            auto go = [&](const QString &text) {
                ++m.selections;
                dwell ? dwellOn(label(text)) : scanTo(label(text));
            };
            if (!m_w->fraSet->isVisible())
                go(boardCellFor(kana));
            if (m_w->fraSet->isVisible())
                go(kana);
            if (typed() == expected)
                break;
            ++m.accidental; // something else was entered or opened: back out of it
            if (m_w->fraSet->isVisible())
                go(u"戻る"_s);
            while (typed().size() > expected.size() - 1)
                go(u"ＢＳ"_s);
        }
    }

    Figures run(bool dwell)
    {
        const qint64 start = f.clock.nowMs();
        for (const QString &phrase : kPhrases) {
            m_w->txtTalk->setText(QString());
            for (const QChar c : phrase)
                enter(QString(c), dwell);
            m.kana += int(phrase.size());
        }
        m.minutes = (f.clock.nowMs() - start) / 60000.0;
        return m;
    }

    // Rests on one cell for 10 s (one click enters); returns how often it fired.
    int restTenSeconds()
    {
        const QRect cell = m_w->grdBoard->visualRect(m_w->grdBoard->model()->index(2, 9)); // う
        m_pointer = m_w->grdBoard->viewport()->mapToGlobal(cell.center());
        wait(10000);
        return int(typed().size());
    }

    TalkFixture f;

  private:
    MemorySettingsStore m_access;
    frmTalk *m_w = nullptr;
    QPoint m_pointer{-1000, -1000};
    int m_mode;
    int m_rhythmMs = 0;
    int m_holdMs = 0;
    bool m_tremor = false;
    std::normal_distribution<double> m_holdSpread{0, 80};
    qint64 m_lastPressMs = 0;
    Qt::Key m_key = Qt::Key_Space;
    QList<int> m_lastPath;
    bool m_bounceDue = false;
    std::mt19937 m_rng;
    std::normal_distribution<double> m_reaction{600, 150};
    std::uniform_real_distribution<double> m_uniform{0, 1};
    Figures m;
};

void report(const char *name, const Figures &r)
{
    std::printf("%-36s %6.2f kana/min  %5.2f steps/kana  %5.1f presses/min  "
                "%4.2f accidental/100 selections  %4.2f lost/100 presses  (%d kana, %d "
                "selections, %d presses)\n",
                name, r.kana / r.minutes, double(r.steps) / r.kana, r.presses / r.minutes,
                100.0 * r.accidental / std::max(1, r.selections),
                100.0 * r.lost / std::max(1, r.presses), r.kana, r.selections, r.presses);
}
} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QByteArray only = argc > 1 ? QByteArray(argv[1]) : QByteArray();
    const auto wanted = [&only](const char *name) { return QByteArray(name).contains(only); };
    const QMap<QString, QString> cues{{u"ScanCue"_s, u"2"_s}};
    for (const int stepMs : {1500, 1000}) {
        const QByteArray name =
            "one switch, " + QByteArray::number(stepMs / 1000.0, 'f', 1) + " s, voice cues";
        if (!wanted(name))
            continue;
        Sim sim(1, stepMs, false, 8, 0, false, cues);
        sim.layer().cues().setSink([](const QString &, std::shared_ptr<const PcmClip>) {});
        report(name.constData(), sim.run(false));
    }
    for (const int holdMs : {0, 300}) {
        const QByteArray name =
            "one switch, 1.5 s, tremor, hold " + QByteArray::number(holdMs) + " ms";
        if (!wanted(name))
            continue;
        Sim sim(1, 1500, false, 9, 0, false, {{u"SwitchHoldMs"_s, QString::number(holdMs)}});
        sim.setTremor(true);
        report(name.constData(), sim.run(false));
    }
    if (!only.isEmpty())
        return 0;
    {
        Sim sim(1, 1500, false, 1);
        report("one switch, 1.5 s steps", sim.run(false));
    }
    {
        Sim sim(1, 1000, false, 2);
        report("one switch, 1.0 s steps", sim.run(false));
    }
    for (const int reactionMs : {250, 600}) {
        Sim sim(1, 1000, false, 6, 0, true);
        sim.setReaction(reactionMs);
        const QByteArray name =
            "one switch, 1.0 s, voice, RT " + QByteArray::number(reactionMs / 1000.0) + " s";
        report(name.constData(), sim.run(false));
    }
    {
        Sim sim(2, 1500, false, 3);
        report("two switches", sim.run(false));
    }
    {
        Sim sim(2, 1500, false, 7, 0, true);
        sim.setRhythm(600);
        report("two switches, voice, a press per 0.6 s", sim.run(false));
    }
    {
        Sim sim(0, 1500, true, 4);
        report("dwell, jitter 15 % of a cell", sim.run(true));
    }
    {
        Sim sim(0, 1500, true, 5, 2);
        std::printf("dwell, resting 10 s on one cell: %d entry\n", sim.restTenSeconds());
    }
    return 0;
}
