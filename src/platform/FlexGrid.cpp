#include "platform/FlexGrid.h"

#include "platform/DesignLayout.h"
#include "platform/FlexGridModel.h"
#include "platform/Units.h"

#include <QHeaderView>
#include <QMouseEvent>
#include <QScrollBar>

FlexGrid::FlexGrid(QWidget *parent) : QTableView(parent), m_model(new FlexGridModel(this))
{
    setModel(m_model);
    horizontalHeader()->hide();
    verticalHeader()->hide();
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setMinimumSectionSize(1);
    setSelectionMode(QAbstractItemView::NoSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setFocusPolicy(Qt::NoFocus);
    setWordWrap(false);
    setMouseTracking(true);
}

FlexGrid::~FlexGrid() = default;

int FlexGrid::rows() const
{
    return m_model->rows();
}

void FlexGrid::setRows(int rows)
{
    m_model->setRows(rows);
    m_row = std::clamp(m_row, 0, std::max(0, rows - 1));
}

int FlexGrid::cols() const
{
    return m_model->cols();
}

void FlexGrid::setCols(int cols)
{
    m_model->setCols(cols);
    m_colTwips.resize(std::max(0, cols), 0);
    for (int c = 0; c < cols; ++c)
        applyColumnWidth(c);
    m_col = std::clamp(m_col, 0, std::max(0, cols - 1));
    m_colSel = m_col;
}

void FlexGrid::setRow(int row)
{
    m_row = row;
}

void FlexGrid::setCol(int col)
{
    m_col = col;
    m_colSel = col;
}

int FlexGrid::topRow() const
{
    return verticalScrollBar()->value();
}

void FlexGrid::setTopRow(int row)
{
    verticalScrollBar()->setValue(row);
}

QString FlexGrid::textMatrix(int row, int col) const
{
    if (row < 0 || col < 0 || row >= rows() || col >= cols())
        return {};
    return m_model->text(row, col);
}

void FlexGrid::setTextMatrix(int row, int col, const QString &text)
{
    if (row < 0 || col < 0 || row >= rows() || col >= cols())
        return;
    m_model->setText(row, col, text);
}

void FlexGrid::appendRow(int col, const QString &text)
{
    m_model->appendRow(col, text);
}

int FlexGrid::colWidth(int col) const
{
    if (col < 0 || col >= int(m_colTwips.size()))
        return 0;
    return m_colTwips[col];
}

void FlexGrid::setColWidth(int col, int twips)
{
    if (col == -1) {
        for (int c = 0; c < cols(); ++c) {
            m_colTwips[c] = twips;
            applyColumnWidth(c);
        }
        return;
    }
    if (col < 0 || col >= cols())
        return;
    m_colTwips[col] = twips;
    applyColumnWidth(col);
}

void FlexGrid::setRowHeight(int twips)
{
    m_rowTwips = twips;
    verticalHeader()->setDefaultSectionSize(std::max(1, Units::twipsToPixels(twips, scale())));
}

void FlexGrid::setCellBackColor(qint64 bgr)
{
    if (m_row < 0 || m_row >= rows() || cols() == 0)
        return;
    const int from = std::clamp(std::min(m_col, m_colSel), 0, cols() - 1);
    const int to = std::clamp(std::max(m_col, m_colSel), 0, cols() - 1);
    m_model->setBack(m_row, from, to, bgr);
}

void FlexGrid::setCellAlignment(int alignment)
{
    if (m_row < 0 || m_row >= rows() || cols() == 0)
        return;
    const int from = std::clamp(std::min(m_col, m_colSel), 0, cols() - 1);
    const int to = std::clamp(std::max(m_col, m_colSel), 0, cols() - 1);
    m_model->setAlignment(m_row, from, to, alignment);
}

qint64 FlexGrid::cellBackColor(int row, int col) const
{
    if (row < 0 || col < 0 || row >= rows() || col >= cols())
        return Units::Colour::White;
    return m_model->back(row, col);
}

void FlexGrid::setForeColor(qint64 bgr)
{
    m_model->setFore(bgr);
}

void FlexGrid::setRedraw(bool on)
{
    m_redraw = on;
    m_model->holdChanges(!on);
    viewport()->setUpdatesEnabled(on);
}

void FlexGrid::sort(int order)
{
    if (order != 7 && order != 8)
        return;
    m_model->sortRows(std::min(m_col, m_colSel), std::max(m_col, m_colSel), order == 8);
}

void FlexGrid::rescale()
{
    for (int c = 0; c < cols(); ++c)
        applyColumnWidth(c);
    if (m_rowTwips > 0)
        setRowHeight(m_rowTwips);
}

void FlexGrid::applyColumnWidth(int col)
{
    setColumnWidth(col, Units::twipsToPixels(m_colTwips[col], DesignLayout::scaleAcross(this)));
}

double FlexGrid::scale() const
{
    return DesignLayout::scale(this);
}

void FlexGrid::mousePressEvent(QMouseEvent *event)
{
    const QModelIndex at = indexAt(event->position().toPoint());
    m_mouseRow = at.isValid() ? at.row() : -1;
    // Beside or below the cells there is nothing to press: the current cell stays and no
    // click follows.
    m_pressed = at.isValid();
    if (!m_pressed)
        return;
    m_row = at.row();
    setCol(at.column());
    emit mouseDown();
}

void FlexGrid::mouseReleaseEvent(QMouseEvent *event)
{
    if (!m_pressed)
        return;
    m_pressed = false;
    // Sliding off the cells before letting go cancels the press, as on a button.
    if (!indexAt(event->position().toPoint()).isValid())
        return;
    emit clicked();
}

void FlexGrid::mouseDoubleClickEvent(QMouseEvent *event)
{
    // A double click is two presses to this program: the second one acts again.
    mousePressEvent(event);
}

void FlexGrid::mouseMoveEvent(QMouseEvent *)
{
    // The grid has no drag selection; the current cell moves only on a press.
}

void FlexGrid::keyPressEvent(QKeyEvent *event)
{
    // The grid never takes the keyboard; keys belong to the composition box.
    event->ignore();
}
