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

    // While held, cell changes are gathered and announced as one change on release: a list
    // filled row by row with its drawing off costs one view update instead of one per cell.
    void holdChanges(bool hold);

  private:
    void cellsChanged(int rowFrom, int rowTo, int colFrom, int colTo, int role);

    // Colours are 32-bit values (0x00BBGGRR or 0x800000nn system colours): 32 bytes a cell.
    struct Cell
    {
        QString text;
        quint32 back = 16777215;
        qint32 alignment = 0;
    };
    std::size_t index(int row, int col) const { return std::size_t(row) * m_cols + col; }

    std::vector<Cell> m_cells;
    int m_rows = 0;
    int m_cols = 0;
    qint64 m_fore = 0;
    bool m_held = false;
    int m_heldFrom = -1;
    int m_heldTo = -1;
};
