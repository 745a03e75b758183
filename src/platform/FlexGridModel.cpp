#include "platform/FlexGridModel.h"

#include "platform/Units.h"

#include <algorithm>

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

void FlexGridModel::cellsChanged(int rowFrom, int rowTo, int colFrom, int colTo, int role)
{
    if (!m_held) {
        emit dataChanged(createIndex(rowFrom, colFrom), createIndex(rowTo, colTo), {role});
        return;
    }
    m_heldFrom = m_heldFrom < 0 ? rowFrom : std::min(m_heldFrom, rowFrom);
    m_heldTo = std::max(m_heldTo, rowTo);
}

void FlexGridModel::holdChanges(bool hold)
{
    m_held = hold;
    if (hold)
        return;
    const int to = std::min(m_heldTo, m_rows - 1);
    if (m_heldFrom >= 0 && m_heldFrom <= to && m_cols > 0)
        emit dataChanged(createIndex(m_heldFrom, 0), createIndex(to, m_cols - 1));
    m_heldFrom = -1;
    m_heldTo = -1;
}

void FlexGridModel::setText(int row, int col, const QString &text)
{
    m_cells[index(row, col)].text = text;
    cellsChanged(row, row, col, col, Qt::DisplayRole);
}

void FlexGridModel::setBack(int row, int colFrom, int colTo, qint64 bgr)
{
    for (int c = colFrom; c <= colTo; ++c)
        m_cells[index(row, c)].back = quint32(bgr);
    cellsChanged(row, row, colFrom, colTo, Qt::BackgroundRole);
}

void FlexGridModel::setAlignment(int row, int colFrom, int colTo, int alignment)
{
    for (int c = colFrom; c <= colTo; ++c)
        m_cells[index(row, c)].alignment = alignment;
    cellsChanged(row, row, colFrom, colTo, Qt::TextAlignmentRole);
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
    // The first four UTF-16 code units of the first sort column, packed so that comparing the
    // numbers compares the units in order; a shorter text packs as if followed by zeros. Most
    // comparisons end on these keys, held next to each other, without touching the texts.
    struct Key
    {
        quint64 prefix;
        int row;
    };
    std::vector<Key> keys(m_rows);
    for (int r = 0; r < m_rows; ++r) {
        const QString &t = text(r, colFrom);
        quint64 prefix = 0;
        for (int i = 0; i < 4; ++i)
            prefix = (prefix << 16) | (i < t.size() ? t.at(i).unicode() : 0);
        keys[r] = {prefix, r};
    }
    std::stable_sort(keys.begin(), keys.end(), [&](const Key &a, const Key &b) {
        if (a.prefix != b.prefix)
            return descending ? a.prefix > b.prefix : a.prefix < b.prefix;
        for (int c = colFrom; c <= colTo; ++c) {
            // QString comparison is by UTF-16 code unit, case-sensitive.
            const int cmp = QStringView(text(a.row, c)).compare(QStringView(text(b.row, c)));
            if (cmp != 0)
                return descending ? cmp > 0 : cmp < 0;
        }
        return false;
    });
    std::vector<int> order(m_rows);
    for (int r = 0; r < m_rows; ++r)
        order[r] = keys[r].row;
    keys = {};
    emit layoutAboutToBeChanged();
    // Rows move into place by following the permutation's cycles, so a large list is never
    // held twice.
    std::vector<Cell> row(m_cols);
    for (int start = 0; start < m_rows; ++start) {
        if (order[start] == start || order[start] < 0)
            continue;
        for (int c = 0; c < m_cols; ++c)
            row[c] = std::move(m_cells[index(start, c)]);
        int to = start;
        while (order[to] != start) {
            const int from = order[to];
            for (int c = 0; c < m_cols; ++c)
                m_cells[index(to, c)] = std::move(m_cells[index(from, c)]);
            order[to] = -1;
            to = from;
        }
        for (int c = 0; c < m_cols; ++c)
            m_cells[index(to, c)] = std::move(row[c]);
        order[to] = -1;
    }
    emit layoutChanged();
}
