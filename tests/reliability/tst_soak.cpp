// Long use: seeded random presses, clicks and holds on every visible control of the real
// window, with the options dialog, confirmations and reading stops answered at random.
// After every step the window's state and both files must still make sense, and no
// sentence may leave the sample file except by a confirmed delete, and the diary changes only
// by the entry a confirmed "日記終了" saves (which a scripted visit does every few steps).
// TALK_SOAK_STEPS (5,000) and TALK_SOAK_SEED (1) replay or lengthen a run; ctest runs four
// seeds, 20,000 steps in all.
#include "TalkFixture.h"
#include "app/frmOPT.h"
#include "diary/DiaryFile.h"
#include "diary/DiaryLines.h"
#include "platform/FlexGrid.h"
#include "platform/TextBox.h"
#include "platform/TextFile.h"
#include "samples/SampleFile.h"
#include "samples/SampleLines.h"

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

// The file's sentences as the program loads them (quotes dropped), counted.
QMap<QString, int> sentenceCounts(QStringList lines)
{
    QMap<QString, int> counts;
    for (const QString &s : SampleLines::sentences(std::move(lines)))
        if (s != QString::fromUtf16(SampleFile::kPlaceholder))
            ++counts[s];
    return counts;
}

// The diary's entries as "stamp|text", counted.
QMap<QString, int> diaryCounts(const QStringList &lines)
{
    QMap<QString, int> counts;
    for (const QString &line : lines)
        if (const std::optional<DiaryLines::Entry> e = DiaryLines::entry(line))
            ++counts[e->stamp + u'|' + e->text];
    return counts;
}

// The keys that left `before` for `after`, and those that came in, once per count.
std::pair<QStringList, QStringList> difference(const QMap<QString, int> &before,
                                               const QMap<QString, int> &after)
{
    QStringList gone;
    QStringList added;
    for (auto it = before.begin(); it != before.end(); ++it)
        for (int n = after.value(it.key()); n < it.value(); ++n)
            gone << it.key();
    for (auto it = after.begin(); it != after.end(); ++it)
        for (int n = before.value(it.key()); n < it.value(); ++n)
            added << it.key();
    return {gone, added};
}

// How a saved entry text reads back: one end marker off, no quotes, no outer spaces, one
// form of line break.
QString asReadBack(QString text)
{
    if (text.endsWith(u'_'))
        text.chop(1);
    static const QRegularExpression outerSpaces(u"^ +| +$"_s);
    text.remove(u'"').remove(outerSpaces);
    return text.replace(u"\r\n"_s, u"\n"_s).replace(u'\r', u'\n');
}
} // namespace

class tst_soak : public QObject
{
    Q_OBJECT

  private slots:
    void randomUseLosesNothing();

  private:
    void step();
    void visitDiary();
    void noteDiarySave();
    void checkDiary();
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
    QMap<QString, int> diary;
    QString savedEntry; // "stamp|text" a press of "日記終了" may have saved, else empty
    int diarySaves = 0;
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
    diary = diaryCounts(TextFile::readLines(f->filePath(u"day.txt"_s)).lines);
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
    qInfo("%d steps, seed %d, %lld questions answered, %d diary saves", steps, seed,
          qlonglong(f->asker.asked.size()), diarySaves);
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
    savedEntry.clear();
    if (random.bounded(20) == 0) {
        visitDiary();
        return;
    }

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

// Opens the diary from the sample list, opens a random entry, writes in it and ends the
// diary with "ＹＥＳ": the path that saves "day.txt".
void tst_soak::visitDiary()
{
    static const QStringList texts{u"はれ"_s, u"  \"あめ\" のち くもり _"_s, u"😀ゆき\nこおり"_s,
                                   u"__"_s, QString()};
    QPushButton *samp = f->button("cmdSamp");
    if (!samp->isVisible() || !samp->isEnabled() || samp->text() != u"例文表示"_s)
        return;
    action = u"diary visit"_s;
    trace();
    // The waits keep a guard against double presses out of the way.
    const auto press = [this](const char *name) {
        f->clock.advance(1000);
        f->click(name);
    };
    press("cmdSamp");
    const FlexGrid *list = f->grid("grdEx");
    if (!list->isVisible() || list->textMatrix(0, 1) != u"日記"_s)
        return;
    f->clock.advance(1000);
    f->clickCell("grdEx", 0, 1);
    press("cmdDec");
    const FlexGrid *days = f->grid("grdDay");
    if (!days->isVisible())
        return;
    f->clock.advance(1000);
    f->clickCell("grdDay", random.bounded(days->rows()), 1);
    press("cmdDec");
    f->text()->setText(texts.at(random.bounded(texts.size())));
    f->asker.answers = {true};
    noteDiarySave();
    press("cmdSamp");
}

// Before a press of "日記終了" with an entry open: the entry it saves when the answer is yes.
void tst_soak::noteDiarySave()
{
    const FlexGrid *days = f->grid("grdDay");
    if (f->button("cmdSamp")->text() != u"日記終了"_s || days->isVisible())
        return;
    savedEntry = days->textMatrix(f->state.gDiaryRow, 0) + u'|' + asReadBack(f->text()->text());
}

void tst_soak::pressButton(QPushButton *b)
{
    action = b->objectName();
    if (action == u"cmdSamp"_s)
        noteDiarySave();
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
    QVERIFY2(gone.isEmpty() || (gone.size() == 1 && action.startsWith(u"cmdSampDel"_s)),
             "a sentence left the sample file");
    QVERIFY(added.size() <= 1);
    samples = now;
    checkDiary();
}

void tst_soak::checkDiary()
{
    const TextFile::ReadResult day = TextFile::readLines(f->filePath(u"day.txt"_s));
    QVERIFY(day.ok());
    static const QRegularExpression entry(u"^\"\\d\\d\\.\\d\\d\\.\\d\\d .*\"$"_s,
                                          QRegularExpression::DotMatchesEverythingOption);
    for (const QString &line : day.lines)
        QVERIFY2(entry.match(line).hasMatch(), qPrintable(line));
    const QMap<QString, int> now = diaryCounts(day.lines);
    const auto [gone, added] = difference(diary, now);
    diary = now;
    if (gone.isEmpty() && added.isEmpty())
        return;
    ++diarySaves;
    // A save rewrites the opened entry and may add today's new, empty one; nothing else.
    QVERIFY2(!savedEntry.isEmpty(), "day.txt changed without a save");
    const QString stamp = savedEntry.section(u'|', 0, 0);
    QVERIFY2(now.contains(savedEntry), qPrintable(u"not saved: "_s + savedEntry));
    QVERIFY(gone.size() <= 1);
    for (const QString &e : gone)
        QVERIFY2(e.section(u'|', 0, 0) == stamp, qPrintable(u"lost: "_s + e));
    const QString today = DiaryFile::stamp(f->clock.today()) + u'|';
    for (const QString &e : added)
        QVERIFY2(e == savedEntry || e == today, qPrintable(u"came in: "_s + e));
}

QTEST_MAIN(tst_soak)
#include "tst_soak.moc"
