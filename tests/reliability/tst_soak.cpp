// Long use: seeded random presses, clicks and holds on every visible control of the real
// window, with the options dialog, confirmations and reading stops answered at random.
// After every step the window's state must still make sense, no sentence may leave the
// sample file except by a confirmed delete, and the diary changes only when "日記終了" saves.
// TALK_SOAK_STEPS (5,000) and TALK_SOAK_SEED (0) replay or lengthen a run; ctest runs four
// seeds, 20,000 steps in all.
#include "TalkFixture.h"
#include "app/frmOPT.h"
#include "platform/TextFile.h"
#include "samples/SampleLines.h"

#include <QApplication>
#include <QPointer>
#include <QRandomGenerator>
#include <QTimer>

using namespace Qt::Literals::StringLiterals;

namespace {
// The sentences of the sample file as the program loads them (no quotes, no outer spaces),
// sorted. A file that does not read has none, so a check fails.
QStringList sentences(const QString &path)
{
    QStringList found = SampleLines::sentences(TextFile::readLines(path).lines);
    found.sort();
    return found;
}

// What sorted `from` holds beyond sorted `other`, once per extra copy.
QStringList beyond(const QStringList &from, const QStringList &other)
{
    QStringList extra;
    std::set_difference(from.begin(), from.end(), other.begin(), other.end(),
                        std::back_inserter(extra));
    return extra;
}
} // namespace

class tst_soak : public QObject
{
    Q_OBJECT

  private slots:
    void randomUseLosesNothing();

  private:
    void step();
    void answerOptions();
    void press(QWidget *w, QPoint at, int yieldsHeld);
    void release();
    void checkFiles();

    TalkFixture *f = nullptr;
    QRandomGenerator random;
    QString action;
    QStringList samples;
    QByteArray diary;
    int pendingRelease = 0;
    QPointer<QWidget> held;
    QPoint heldAt;
    bool diaryMaySave = false;    // the press was one of "日記終了"
    bool deleteConfirmed = false; // the first question of the step is answered yes
};

void tst_soak::randomUseLosesNothing()
{
    const int steps = qEnvironmentVariableIsSet("TALK_SOAK_STEPS")
                          ? qEnvironmentVariableIntValue("TALK_SOAK_STEPS")
                          : 5000;
    const int seed = qEnvironmentVariableIntValue("TALK_SOAK_SEED");
    random.seed(quint32(seed));
    TalkFixture fixture;
    f = &fixture;
    // UTF-8 files: the first save turns them into code page 932.
    f->writeFile(u"Talk.txt"_s,
                 "\"ああああ日記ダミー消さないでね！\"\n\"おはよう\"\n\"1時に起きる\"\n"
                 "\"OK\"\n\"みずをください\"\n\"かゆい\"\n");
    f->writeFile(u"day.txt"_s, "\"26.12.06 きのう\"\n\"26.12.01 はじめ\"\n");
    samples = sentences(f->filePath(u"Talk.txt"_s));
    diary = f->readFile(u"day.txt"_s);
    f->create();
    // Holds end and readings stop from inside the program's own waits, as a user would.
    f->events.beforeYield = [this] {
        if (held && --pendingRelease <= 0)
            release();
        auto *panel = f->window().findChild<QWidget *>(u"frmRead"_s);
        if (panel && panel->isVisible() && random.bounded(40) == 0)
            QTest::mouseClick(panel->findChild<QWidget *>(u"lblLabel"_s), Qt::LeftButton);
    };
    for (int stepNo = 0; stepNo < steps; ++stepNo) {
        step();
        for (const FlexGrid *g : {f->grid("grdEx"), f->grid("grdDay")})
            if (g->isVisible() && g->rows() > 0)
                QVERIFY(f->state.gListRow >= 0 && f->state.gListRow < g->rows());
        checkFiles();
        if (QTest::currentTestFailed())
            QFAIL(qPrintable(u"seed %1, step %2 (%3)"_s.arg(seed).arg(stepNo).arg(action)));
    }
}

void tst_soak::step()
{
    f->clock.advance(random.bounded(3000));
    // A person starts a new text now and then; an ever longer one only makes readings slow.
    if (f->text()->text().size() > 300)
        f->text()->setText(QString());
    deleteConfirmed = random.bounded(2) == 0;
    f->asker.answers = {deleteConfirmed, random.bounded(2) == 0};
    diaryMaySave = false;
    QList<QPushButton *> buttons = f->window().findChildren<QPushButton *>();
    buttons.removeIf([](const QPushButton *b) { return !b->isVisible() || !b->isEnabled(); });
    QList<FlexGrid *> grids = f->window().findChildren<FlexGrid *>();
    grids.removeIf([](const FlexGrid *g) { return !g->isVisible() || g->rows() == 0; });
    // A grid cell, rows past the end too: a press below the last row must be harmless.
    if (!grids.isEmpty() && (buttons.isEmpty() || random.bounded(2) == 0)) {
        FlexGrid *g = grids.at(random.bounded(grids.size()));
        const int row = random.bounded(g->rows() + 2);
        const int col = random.bounded(g->cols());
        action = u"%1 %2,%3"_s.arg(g->objectName()).arg(row).arg(col);
        const int shown = std::min(row, g->rows() - 1);
        const QRect cell = g->visualRect(g->model()->index(shown, col));
        const QPoint at = cell.center() + QPoint(0, cell.height() * (row - shown));
        return press(g->viewport(), at, 1);
    }
    if (buttons.isEmpty())
        return;
    QPushButton *b = buttons.at(random.bounded(buttons.size()));
    action = b->objectName();
    diaryMaySave = b->text() == u"日記終了"_s;
    if (action == u"cmdOpt"_s)
        QTimer::singleShot(0, this, &tst_soak::answerOptions);
    // Most presses are short; a quarter are held through several of the program's waits.
    press(b, b->rect().center(), random.bounded(4) == 0 ? 2 + random.bounded(8) : 1);
}

// The release comes as it does for a user: as an event during the program's own yields (a
// caret pad repeats until then), or right after the press when the press started none.
void tst_soak::press(QWidget *w, QPoint at, int yieldsHeld)
{
    held = w;
    heldAt = at;
    pendingRelease = yieldsHeld;
    QTest::mousePress(w, Qt::LeftButton, {}, at);
    release();
}

void tst_soak::release()
{
    if (QWidget *w = held) {
        held = nullptr;
        QTest::mouseRelease(w, Qt::LeftButton, {}, heldAt);
    }
}

// Every choice of the options dialog at random, then ＯＫ or cancel.
void tst_soak::answerOptions()
{
    auto *d = qobject_cast<frmOPT *>(QApplication::activeModalWidget());
    if (!d)
        return;
    for (QAbstractButton *choice : d->findChildren<QAbstractButton *>())
        if (!qobject_cast<QPushButton *>(choice) && random.bounded(3) == 0)
            choice->click();
    d->cmdOK_Click(random.bounded(2));
}

// A confirmed delete removes one sentence, registering adds at most one; the diary changes
// only when an entry is ended and saved.
void tst_soak::checkFiles()
{
    const QStringList talk = sentences(f->filePath(u"Talk.txt"_s));
    const QStringList goneSamples = beyond(samples, talk);
    QVERIFY2(goneSamples.isEmpty() ||
                 (goneSamples.size() == 1 && action.startsWith(u"cmdSampDel"_s) && deleteConfirmed),
             qPrintable(u"sentence lost: "_s + goneSamples.join(u'/')));
    QVERIFY(beyond(talk, samples).size() <= 1);
    samples = talk;

    const QByteArray day = f->readFile(u"day.txt"_s);
    QVERIFY2(day == diary || diaryMaySave, "day.txt changed without a save");
    diary = day;
}

QTEST_MAIN(tst_soak)
#include "tst_soak.moc"
