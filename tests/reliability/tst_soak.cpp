// Long use: seeded random presses, clicks and holds on every visible control of the real
// window, with the options dialog, confirmations and reading stops answered at random.
// After every step the window's state and both files must still make sense, and no
// sentence may leave the sample file except by a confirmed delete.
// TALK_SOAK_STEPS (5,000) and TALK_SOAK_SEED (1) replay or lengthen a run; ctest runs four
// seeds, 20,000 steps in all.
#include "TalkFixture.h"
#include "app/frmOPT.h"
#include "platform/FlexGrid.h"
#include "platform/TextBox.h"
#include "platform/TextFile.h"
#include "samples/SampleFile.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>

using namespace Qt::Literals::StringLiterals;

namespace {
int envNumber(const char *name, int fallback)
{
    bool ok = false;
    const int v = qEnvironmentVariableIntValue(name, &ok);
    return ok ? v : fallback;
}

QMap<QString, int> sentenceCounts(const QStringList &lines)
{
    QMap<QString, int> counts;
    for (const QString &line : lines)
        if (line != u'"' + QString::fromUtf16(SampleFile::kPlaceholder) + u'"')
            ++counts[line];
    return counts;
}

// How many sentences left `before` for `after`, and how many came in.
std::pair<int, int> difference(const QMap<QString, int> &before, const QMap<QString, int> &after)
{
    int gone = 0;
    int added = 0;
    for (auto it = before.begin(); it != before.end(); ++it)
        gone += std::max(0, it.value() - after.value(it.key()));
    for (auto it = after.begin(); it != after.end(); ++it)
        added += std::max(0, it.value() - before.value(it.key()));
    return {gone, added};
}
} // namespace

class tst_soak : public QObject
{
    Q_OBJECT

  private slots:
    void randomUseLosesNothing();

  private:
    void step();
    void pressButton(QPushButton *b);
    void clickGridCell(FlexGrid *g);
    void answerOptions();
    void checkInvariants();
    void trace() const;
    void press(QWidget *w, QPoint at, int yieldsHeld);
    void release();

    TalkFixture *f = nullptr;
    QRandomGenerator random;
    QString action;
    QMap<QString, int> samples;
    int diaryLines = 0;
    int pendingRelease = -1;
    QPointer<QWidget> held;
    QPoint heldAt;
    int stepNo = 0;
};

void tst_soak::randomUseLosesNothing()
{
    const int steps = envNumber("TALK_SOAK_STEPS", 5000);
    const int seed = envNumber("TALK_SOAK_SEED", 1);
    random.seed(quint32(seed));
    TalkFixture fixture;
    f = &fixture;
    QStringList lines{u"\"ああああ日記ダミー消さないでね！\""_s};
    for (const QString &s : {u"おはよう"_s, u"ありがとう"_s, u"1時に起きる"_s, u"OK"_s,
                             u"みずをください"_s, u"てれびをつけて"_s, u"かゆい"_s})
        lines << u'"' + s + u'"';
    QVERIFY(TextFile::writeLines(f->filePath(u"Talk.txt"_s), lines));
    QVERIFY(TextFile::writeLines(f->filePath(u"day.txt"_s),
                                 {u"\"26.12.06 きのう\""_s, u"\"26.12.01 はじめ\""_s}));
    samples = sentenceCounts(TextFile::readLines(f->filePath(u"Talk.txt"_s)).lines);
    diaryLines = 2;
    f->create();
    // Holds end and readings stop from inside the program's own waits, as a user would.
    f->events.beforeYield = [this] {
        if (held && --pendingRelease <= 0)
            release();
        if (auto *panel = f->window().findChild<QWidget *>(u"frmRead"_s);
            panel && panel->isVisible() && random.bounded(40) == 0) {
            if (auto *label = panel->findChild<QWidget *>(u"lblLabel"_s))
                QTest::mouseClick(label, Qt::LeftButton);
        }
    };
    for (stepNo = 0; stepNo < steps; ++stepNo) {
        step();
        checkInvariants();
        if (QTest::currentTestFailed())
            QFAIL(qPrintable(u"seed %1, step %2 (%3)"_s.arg(seed).arg(stepNo).arg(action)));
    }
    qInfo("%d steps, seed %d, %lld questions answered", steps, seed,
          qlonglong(f->asker.asked.size()));
}

void tst_soak::step()
{
    // Now and then a new day begins.
    if (random.bounded(500) == 0)
        f->clock.setToday(f->clock.today().addDays(1));
    f->clock.advance(random.bounded(3000));
    // A person starts a new text now and then; an ever longer one only makes readings slow.
    if (f->text()->text().size() > 300)
        f->text()->setText(QString());
    f->asker.answers = {random.bounded(2) == 0, random.bounded(2) == 0};

    QList<QPushButton *> buttons;
    for (QPushButton *b : f->window().findChildren<QPushButton *>())
        if (b->isVisible() && b->isEnabled())
            buttons << b;
    QList<FlexGrid *> grids;
    for (FlexGrid *g : f->window().findChildren<FlexGrid *>())
        if (g->isVisible() && g->rows() > 0)
            grids << g;
    const bool onGrid = !grids.isEmpty() && (buttons.isEmpty() || random.bounded(2) == 0);
    if (onGrid) {
        clickGridCell(grids.at(random.bounded(grids.size())));
        return;
    }
    if (!buttons.isEmpty())
        pressButton(buttons.at(random.bounded(buttons.size())));
}

void tst_soak::pressButton(QPushButton *b)
{
    action = b->objectName();
    if (action == u"cmdOpt"_s)
        QTimer::singleShot(0, this, &tst_soak::answerOptions);
    // Most presses are short; a quarter are held through several of the program's waits.
    const bool hold = random.bounded(4) == 0;
    if (hold)
        action += u" held"_s;
    press(b, b->rect().center(), hold ? 2 + random.bounded(8) : 1);
}

void tst_soak::clickGridCell(FlexGrid *g)
{
    // Rows past the end too: a press below the last row must be harmless.
    const int row = random.bounded(g->rows() + 2);
    const int col = random.bounded(g->cols());
    action = u"%1 %2,%3"_s.arg(g->objectName()).arg(row).arg(col);
    const int shown = std::min(row, g->rows() - 1);
    const QRect cell = g->visualRect(g->model()->index(shown, col));
    QPoint at = cell.center();
    if (row >= g->rows())
        at.ry() += cell.height() * (row - shown);
    press(g->viewport(), at, 1);
}

// The release comes as it does for a user: as an event during the program's own yields, or
// right after the press when the press started none.
void tst_soak::press(QWidget *w, QPoint at, int yieldsHeld)
{
    trace();
    held = w;
    heldAt = at;
    pendingRelease = yieldsHeld;
    QTest::mousePress(w, Qt::LeftButton, {}, at);
    release();
}

void tst_soak::release()
{
    if (!held)
        return;
    QWidget *w = held;
    held = nullptr;
    QTest::mouseRelease(w, Qt::LeftButton, {}, heldAt);
}

// TALK_SOAK_TRACE lists every action before it is taken, to find the step that fails.
void tst_soak::trace() const
{
    static const bool on = qEnvironmentVariableIsSet("TALK_SOAK_TRACE");
    if (on)
        qInfo("%d %s", stepNo, qPrintable(action));
}

void tst_soak::answerOptions()
{
    auto *d = qobject_cast<frmOPT *>(QApplication::activeModalWidget());
    if (!d)
        return;
    auto pick = [this](auto &group) { group[random.bounded(int(group.size()))]->setChecked(true); };
    pick(d->Option1);
    pick(d->Option2);
    pick(d->Option3);
    for (QCheckBox *c : {d->chkSamp, d->chkMaxC, d->chkBeep, d->chkMoji})
        if (random.bounded(2) == 0)
            c->setChecked(!c->isChecked());
    if (d->cmbSample->count() > 0)
        d->cmbSample->setCurrentIndex(random.bounded(d->cmbSample->count()));
    d->cmdOK_Click(random.bounded(2));
}

void tst_soak::checkInvariants()
{
    QVERIFY2(!QApplication::activeModalWidget(), "a dialog stayed open");
    const AppState &s = f->state;
    QVERIFY(!s.gSampleList.isEmpty());
    QVERIFY(s.gMaxC >= 9 && s.gMaxC <= 29);
    QVERIFY(s.gSample >= 1 && s.gSample <= 5);
    for (const char *name : {"grdEx", "grdDay"}) {
        const FlexGrid *g = f->grid(name);
        if (g->isVisible() && g->rows() > 0)
            QVERIFY2(s.gListRow >= 0 && s.gListRow < g->rows(), name);
    }

    const TextFile::ReadResult talk = TextFile::readLines(f->filePath(u"Talk.txt"_s));
    QVERIFY(talk.ok());
    const QMap<QString, int> now = sentenceCounts(talk.lines);
    const auto [gone, added] = difference(samples, now);
    // A confirmed delete removes one sentence; registering adds at most one.
    QVERIFY2(gone == 0 || (gone == 1 && action.startsWith(u"cmdSampDel"_s)),
             "a sentence left the sample file");
    QVERIFY(added <= 1);
    samples = now;

    const TextFile::ReadResult day = TextFile::readLines(f->filePath(u"day.txt"_s));
    QVERIFY(day.ok());
    static const QRegularExpression entry(u"^\"\\d\\d\\.\\d\\d\\.\\d\\d .*\"$"_s,
                                          QRegularExpression::DotMatchesEverythingOption);
    for (const QString &line : day.lines)
        QVERIFY2(entry.match(line).hasMatch(), qPrintable(line));
    QVERIFY2(day.lines.size() >= diaryLines, "a diary entry was lost");
    diaryLines = int(day.lines.size());
}

QTEST_MAIN(tst_soak)
#include "tst_soak.moc"
