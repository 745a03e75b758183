#pragma once

#include <QAbstractTableModel>
#include <QString>
#include <vector>

// Cell storage of a FlexGrid: texts, back colours and alignments, row-major.
// Only the cells' texts are heap data; a 100,000-row list stays small.
class FlexGridModel final : public QAbstractTableModel
{
public:
    using QAbstractTableModel::QAbstractTableModel;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;

    int rows() const { return m_rows; }
    int cols() const { return m_cols; }
    void setRows(int rows);
    void setCols(int cols);
    void appendRow(int col, const QString &text);

    const QString &text(int row, int col) const { return m_cells[index(row, col)].text; }
    void setText(int row, int col, const QString &text);
    qint64 back(int row, int col) const { return m_cells[index(row, col)].back; }
    void setBack(int row, int colFrom, int colTo, qint64 bgr);
    int alignment(int row, int col) const { return m_cells[index(row, col)].alignment; }
    void setAlignment(int row, int colFrom, int colTo, int alignment);
    void setFore(qint64 bgr);

    // Stable sort of the rows by the texts of columns colFrom..colTo.
    void sortRows(int colFrom, int colTo, bool descending);

private:
    struct Cell
    {
        QString text;
        qint64 back = 16777215;
        int alignment = 0;
    };
    std::size_t index(int row, int col) const { return std::size_t(row) * m_cols + col; }

    std::vector<Cell> m_cells;
    int m_rows = 0;
    int m_cols = 0;
    qint64 m_fore = 0;
};
