#include "platform/FlexGridModel.h"

#include "platform/Units.h"

#include <algorithm>
#include <numeric>

int FlexGridModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_rows;
}

int FlexGridModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_cols;
}

QVariant FlexGridModel::data(const QModelIndex &idx, int role) const
{
    if (!idx.isValid() || idx.row() >= m_rows || idx.column() >= m_cols)
        return {};
    const Cell &cell = m_cells[index(idx.row(), idx.column())];
    switch (role) {
    case Qt::DisplayRole:
        return cell.text;
    case Qt::BackgroundRole:
        return Units::colourFromBgr(cell.back);
    case Qt::ForegroundRole:
        return Units::colourFromBgr(m_fore);
    case Qt::TextAlignmentRole:
        // 5: centred horizontally, at the bottom; anything else: left, centred vertically.
        if (cell.alignment == 5)
            return int(Qt::AlignHCenter | Qt::AlignBottom);
        return int(Qt::AlignLeft | Qt::AlignVCenter);
    default:
        return {};
    }
}

void FlexGridModel::setRows(int rows)
{
    rows = std::max(0, rows);
    if (rows == m_rows)
        return;
    if (rows > m_rows) {
        beginInsertRows({}, m_rows, rows - 1);
        m_cells.resize(std::size_t(rows) * m_cols);
        m_rows = rows;
        endInsertRows();
        return;
    }
    beginRemoveRows({}, rows, m_rows - 1);
    m_cells.resize(std::size_t(rows) * m_cols);
    m_rows = rows;
    endRemoveRows();
}

void FlexGridModel::setCols(int cols)
{
    cols = std::max(0, cols);
    if (cols == m_cols)
        return;
    beginResetModel();
    std::vector<Cell> cells(std::size_t(m_rows) * cols);
    const int keep = std::min(cols, m_cols);
    for (int r = 0; r < m_rows; ++r)
        for (int c = 0; c < keep; ++c)
            cells[std::size_t(r) * cols + c] = std::move(m_cells[index(r, c)]);
    m_cells = std::move(cells);
    m_cols = cols;
    endResetModel();
}

void FlexGridModel::appendRow(int col, const QString &text)
{
    beginInsertRows({}, m_rows, m_rows);
    m_cells.resize(std::size_t(m_rows + 1) * m_cols);
    ++m_rows;
    if (col >= 0 && col < m_cols)
        m_cells[index(m_rows - 1, col)].text = text;
    endInsertRows();
}

void FlexGridModel::setText(int row, int col, const QString &text)
{
    m_cells[index(row, col)].text = text;
    const QModelIndex i = createIndex(row, col);
    emit dataChanged(i, i, {Qt::DisplayRole});
}

void FlexGridModel::setBack(int row, int colFrom, int colTo, qint64 bgr)
{
    for (int c = colFrom; c <= colTo; ++c)
        m_cells[index(row, c)].back = bgr;
    emit dataChanged(createIndex(row, colFrom), createIndex(row, colTo), {Qt::BackgroundRole});
}

void FlexGridModel::setAlignment(int row, int colFrom, int colTo, int alignment)
{
    for (int c = colFrom; c <= colTo; ++c)
        m_cells[index(row, c)].alignment = alignment;
    emit dataChanged(createIndex(row, colFrom), createIndex(row, colTo),
                     {Qt::TextAlignmentRole});
}

void FlexGridModel::setFore(qint64 bgr)
{
    m_fore = bgr;
    if (m_rows > 0 && m_cols > 0)
        emit dataChanged(createIndex(0, 0), createIndex(m_rows - 1, m_cols - 1),
                         {Qt::ForegroundRole});
}

void FlexGridModel::sortRows(int colFrom, int colTo, bool descending)
{
    if (m_rows < 2 || colFrom > colTo)
        return;
    std::vector<int> order(m_rows);
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        for (int c = colFrom; c <= colTo; ++c) {
            // QString comparison is by UTF-16 code unit, case-sensitive.
            const int cmp = QString::compare(text(a, c), text(b, c), Qt::CaseSensitive);
            if (cmp != 0)
                return descending ? cmp > 0 : cmp < 0;
        }
        return false;
    });
    emit layoutAboutToBeChanged();
    std::vector<Cell> sorted;
    sorted.reserve(m_cells.size());
    for (int r : order)
        for (int c = 0; c < m_cols; ++c)
            sorted.push_back(std::move(m_cells[index(r, c)]));
    m_cells = std::move(sorted);
    emit layoutChanged();
}
