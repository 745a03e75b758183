#include "access/ScanPlan.h"

#include "access/AccessTexts.h"
#include "access/CallButton.h"
#include "access/CallCorners.h"
#include "access/CallScreen.h"
#include "access/CuePlayer.h"
#include "access/TalkControls.h"
#include "boards/BoardTexts.h"
#include "core/AppTexts.h"
#include "dialogs/frmOK.h"
#include "platform/FlexGrid.h"
#include "platform/UiText.h"
#include "quick/QuickTexts.h"
#include "samples/SampleTexts.h"
#include "strip/PredictStrip.h"
#include "voice/frmRead.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>

using namespace Qt::Literals::StringLiterals;

namespace {
// Buttons that end or delete something: they ask first, and dwell waits longer on them.
bool asksFirst(const QPushButton *b)
{
    const QString caption = b->text();
    return caption == text(AppTexts::kStart) || caption == text(AppTexts::kDeleteSample) ||
           caption == text(SampleTexts::kDiaryCloseCaption);
}

class Builder
{
  public:
    Builder(ScanPlan &plan, QWidget *window) : m_plan(plan) { m_plan.window = window; }

    // Shown, enabled and not clipped away by its frame (the copy and paste buttons sit
    // below the text frame until it is widened).
    bool shown(const QWidget *w) const
    {
        return w && w->isVisibleTo(m_plan.window) && w->isEnabled() &&
               !visibleRect(w, w->rect()).isEmpty();
    }

    // `local` (in `w`) as far as it can be seen, in window coordinates: every frame up to the
    // window clips it, so a highlight never reaches past the window's edge.
    QRect visibleRect(const QWidget *w, const QRect &local) const
    {
        QRect visible = local & w->rect();
        for (const QWidget *child = w; child != m_plan.window; child = child->parentWidget())
            visible = visible.translated(child->pos()) & child->parentWidget()->rect();
        return visible;
    }

    ScanNode leaf(QWidget *widget, QPoint point, const QString &label, bool weighty = false)
    {
        m_plan.targets.append(ScanTarget{widget, point, weighty});
        ScanNode node;
        node.label = label;
        node.rect = QRect(widget->mapTo(m_plan.window, point), QSize(1, 1));
        node.target = int(m_plan.targets.size()) - 1;
        return node;
    }

    ScanNode button(QPushButton *b, bool weighty = false)
    {
        ScanNode node = leaf(b, b->rect().center(), b->text(), weighty || asksFirst(b));
        node.rect = visibleRect(b, b->rect());
        node.cue = CuePlayer::captionCue(b->text());
        return node;
    }

    ScanNode cell(FlexGrid *grid, int row, int col)
    {
        const QRect r = grid->visualRect(grid->model()->index(row, col));
        ScanNode node = leaf(grid->viewport(), r.center(), grid->textMatrix(row, col));
        node.rect = visibleRect(grid->viewport(), r);
        node.cue = node.label.trimmed();
        return node;
    }

    // A list row: sentences have no voice file.
    ScanNode sentence(FlexGrid *grid, int row, int col)
    {
        ScanNode node = cell(grid, row, col);
        node.cue.clear();
        return node;
    }

    bool cellShown(FlexGrid *grid, int row, int col) const
    {
        if (grid->textMatrix(row, col).trimmed().isEmpty())
            return false;
        const QRect r = grid->visualRect(grid->model()->index(row, col));
        return r.isValid() && grid->viewport()->rect().contains(r.center());
    }

    // Adds the node, or nothing for an empty group, or the only child of a group of one.
    static void add(ScanNode &parent, ScanNode node)
    {
        if (node.target < 0 && node.children.isEmpty())
            return;
        if (node.children.size() == 1)
            node = node.children.takeFirst();
        if (node.isGroup() && node.cue.isEmpty())
            node.cue = CuePlayer::captionCue(node.label);
        if (node.isGroup()) {
            QRect all;
            for (const ScanNode &child : node.children)
                all = all.united(child.rect);
            node.rect = all;
        }
        parent.children.append(std::move(node));
    }

    void addButtons(ScanNode &parent, const char16_t *label, const QList<QPushButton *> &buttons)
    {
        ScanNode group;
        group.label = text(label);
        for (QPushButton *b : buttons)
            if (shown(b))
                add(group, button(b));
        add(parent, std::move(group));
    }

    // The call button, last on every screen; dwell on it takes the longer, safe time.
    void addCall(ScanNode &parent, const TalkControls &t)
    {
        if (shown(t.cmdCall))
            add(parent, button(t.cmdCall, true));
    }

    // Cells grouped by outer index, cells inside in inner order; empty cells skipped.
    void addGridGroups(ScanNode &parent, FlexGrid *grid, const QString &label,
                       const QList<int> &outer, const QList<int> &inner, bool outerIsColumn)
    {
        ScanNode board;
        board.label = label;
        for (int o : outer) {
            ScanNode group;
            for (int i : inner) {
                const int row = outerIsColumn ? i : o;
                const int col = outerIsColumn ? o : i;
                if (cellShown(grid, row, col))
                    add(group, cell(grid, row, col));
            }
            if (!group.children.isEmpty()) {
                group.label = group.children.first().label;
                group.cue = group.children.first().cue;
            }
            add(board, std::move(group));
        }
        add(parent, std::move(board));
    }

    // A list's visible rows from `firstRow`, each pressed at its first non-empty cell.
    void addListRows(ScanNode &parent, FlexGrid *grid, int firstRow)
    {
        ScanNode rows;
        rows.label = grid->accessibleName();
        for (int r = firstRow; r < grid->rows(); ++r)
            for (int c = 0; c < grid->cols(); ++c)
                if (cellShown(grid, r, c)) {
                    add(rows, sentence(grid, r, c));
                    break;
                }
        add(parent, std::move(rows));
    }

    // The sample list's visible rows under their group labels (column 0 names the group on
    // its first row, as あ行, か行 …); each row is pressed on its sentence.
    void addSampleGroups(ScanNode &parent, FlexGrid *grid)
    {
        ScanNode groups;
        groups.label = grid->accessibleName();
        ScanNode group;
        for (int r = 0; r < grid->rows(); ++r) {
            const int col = cellShown(grid, r, 1) ? 1 : 0;
            if (!cellShown(grid, r, col))
                continue;
            if (!grid->textMatrix(r, 0).trimmed().isEmpty()) {
                add(groups, std::move(group));
                group = {};
                group.label = grid->textMatrix(r, 0);
            }
            add(group, sentence(grid, r, col));
        }
        add(groups, std::move(group));
        add(parent, std::move(groups));
    }

  private:
    ScanPlan &m_plan;
};

QList<int> range(int from, int to) // inclusive, either direction
{
    QList<int> values;
    for (int v = from;; v += from <= to ? 1 : -1) {
        values.append(v);
        if (v == to)
            return values;
    }
}

void buildQuestion(ScanPlan &plan, frmOK &question)
{
    Builder b(plan, &question);
    plan.screen = u"frmOK"_s;
    // The right answer (no, cancel) is the safe one and is lit first.
    for (int index : {1, 0})
        if (b.shown(question.cmdOK[index]))
            Builder::add(plan.root, b.button(question.cmdOK[index], index == 0));
    if (CallButton *call = CallCorners::buttonOf(&question); b.shown(call))
        Builder::add(plan.root, b.button(call, true));
}

void buildReading(ScanPlan &plan, frmRead &panel)
{
    Builder b(plan, &panel);
    plan.screen = u"frmRead"_s;
    plan.readingAloud = true;
    Builder::add(plan.root,
                 b.leaf(panel.lblLabel, panel.lblLabel->rect().center(), panel.lblLabel->text()));
    plan.root.children.first().rect =
        QRect(panel.lblLabel->mapTo(&panel, QPoint(0, 0)), panel.lblLabel->size());
    // Dwell reaches the call here too; a switch press stops the reading (its hold calls).
    if (CallButton *call = CallCorners::buttonOf(&panel); b.shown(call))
        Builder::add(plan.root, b.button(call, true));
}

// While the call rings its screen is all there is: "止める", by a switch or by dwell.
void buildCallScreen(ScanPlan &plan, CallScreen &screen)
{
    Builder b(plan, &screen);
    plan.screen = screen.objectName();
    Builder::add(plan.root, b.button(screen.cmdStop));
}

void buildSelectionScreen(ScanPlan &plan, QWidget &window, const TalkControls &t)
{
    Builder b(plan, &window);
    plan.screen = u"fraSet"_s;
    FlexGrid *g = t.boards.grdBoard2;
    // The chosen kana sits in the centre, its variants right and left of it.
    for (int row : {1, 0, 2})
        for (int col : {1, 2, 0})
            if (row < g->rows() && col < g->cols() && b.cellShown(g, row, col))
                Builder::add(plan.root, b.cell(g, row, col));
    if (b.shown(t.boards.cmdEnd2))
        Builder::add(plan.root, b.button(t.boards.cmdEnd2));
    b.addCall(plan.root, t);
}

void buildMainScreen(ScanPlan &plan, QWidget &window, const TalkControls &t, bool rowsFirst)
{
    Builder b(plan, &window);
    ScanNode &root = plan.root;
    const auto visibleNames = [&](std::initializer_list<QWidget *> widgets) {
        QString names;
        for (QWidget *w : widgets)
            if (b.shown(w))
                names += w->objectName() + u' ';
        return names;
    };
    plan.screen = visibleNames({t.boards.grdBoard, t.samples.grdSp, t.samples.grdEx, t.diary.grdDay,
                                t.compose.fraRes, t.diary.fraDay, t.samples.fraTalk,
                                t.samples.cmdSampDel, t.cmdQuick[0]});

    // The quick answers come first: an answer is one selection into a scan.
    b.addButtons(root, QuickTexts::kGroup, {t.cmdQuick.cbegin(), t.cmdQuick.cend()});
    if (b.shown(t.boards.grdBoard)) {
        FlexGrid *g = t.boards.grdBoard;
        const bool kana =
            t.boards.cmdKey->text().trimmed() != QString::fromUtf16(BoardTexts::kAlphanumeric);
        const QList<int> columnsRightToLeft = range(g->cols() - 1, 0);
        const QList<int> rowsDown = range(0, g->rows() - 1);
        if (kana && !rowsFirst)
            b.addGridGroups(root, g, g->accessibleName(), columnsRightToLeft, rowsDown, true);
        else if (kana)
            b.addGridGroups(root, g, g->accessibleName(), rowsDown, columnsRightToLeft, false);
        else
            b.addGridGroups(root, g, g->accessibleName(), rowsDown, range(0, g->cols() - 1), false);
    }
    // The prediction strip, one step after the board: most selections are on the board, and a
    // candidate that is wanted is then reached with a single further step.
    if (t.strip && b.shown(t.strip)) {
        ScanNode strip;
        strip.label = t.strip->accessibleName();
        for (QPushButton *candidate : t.strip->cmdPredict)
            if (b.shown(candidate)) {
                ScanNode node = b.button(candidate);
                node.cue = candidate->text(); // read out in the character voices
                Builder::add(strip, std::move(node));
            }
        Builder::add(root, std::move(strip));
    }
    b.addButtons(root, u"", {t.samples.cmdDec});
    // Row 0 of the predictions repeats the typed key: "決定" alone already goes back with it.
    for (FlexGrid *list : {t.samples.grdSp, t.diary.grdDay})
        if (b.shown(list))
            b.addListRows(root, list, list == t.samples.grdSp ? 1 : 0);
    if (b.shown(t.samples.grdEx))
        b.addSampleGroups(root, t.samples.grdEx);
    b.addButtons(root, u"", {t.samples.cmdDown});
    b.addButtons(root, u"", {t.samples.cmdUp});
    b.addButtons(root, u"", {t.compose.cmdRes[1]});
    b.addButtons(root, u"", {t.cmdRead});
    b.addButtons(root, AccessTexts::kCaretGroup,
                 {t.compose.cmdRes[2], t.compose.cmdRes[0], t.compose.cmdRes[4],
                  t.compose.cmdRes[3], t.compose.cmdStart});
    b.addButtons(root, u"", {t.diary.cmdRevise, t.diary.cmdBack});
    b.addButtons(root, u"", {t.boards.cmdKey});
    b.addButtons(root, AccessTexts::kSampleGroup,
                 {t.samples.cmdSamp, t.samples.cmdSampADD, t.samples.cmdSampDel});
    b.addButtons(root, AccessTexts::kTextGroup,
                 {t.compose.cmdWide, t.compose.cmdCopy, t.compose.cmdPaste});
    b.addCall(root, t);
}
} // namespace

ScanPlan ScanPlan::build(QWidget &window, const TalkControls &controls, bool rowsFirst)
{
    ScanPlan plan;
    QWidget *modal = QApplication::activeModalWidget();
    if (auto *call = qobject_cast<CallScreen *>(modal)) {
        buildCallScreen(plan, *call);
        return plan;
    }
    for (QWidget *top : QApplication::topLevelWidgets())
        if (auto *panel = qobject_cast<frmRead *>(top); panel && panel->isVisible()) {
            buildReading(plan, *panel);
            return plan;
        }
    if (auto *question = qobject_cast<frmOK *>(modal)) {
        buildQuestion(plan, *question);
        return plan;
    }
    if (modal && modal != &window) {
        plan.screen = modal->objectName(); // a caregiver's dialog: nothing is scanned
        return plan;
    }
    if (controls.boards.fraSet->isVisible())
        buildSelectionScreen(plan, window, controls);
    else
        buildMainScreen(plan, window, controls, rowsFirst);
    return plan;
}
