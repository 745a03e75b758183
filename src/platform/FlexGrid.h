#pragma once

#include <QTableView>
#include <vector>

class FlexGridModel;

// The grid every board and list is drawn with. Rows and columns are zero-based with no
// fixed headers; the logic addresses it by current cell (Row, Col), a selection that runs to
// ColSel, cell texts, per-cell back colour and alignment, widths in twips and a top row.
class FlexGrid : public QTableView
{
    Q_OBJECT

  public:
    explicit FlexGrid(QWidget *parent = nullptr);
    ~FlexGrid() override;

    int rows() const;
    void setRows(int rows);
    int cols() const;
    void setCols(int cols);

    int row() const { return m_row; }
    void setRow(int row);
    int col() const { return m_col; }
    void setCol(int col);
    void setColSel(int col) { m_colSel = col; }

    int topRow() const;
    void setTopRow(int row);

    QString textMatrix(int row, int col) const;
    void setTextMatrix(int row, int col, const QString &text);
    QString text() const { return textMatrix(m_row, m_col); }
    // Appends one row holding `text` in column `col` (the other cells empty).
    void appendRow(int col, const QString &text);

    int colWidth(int col) const;
    // Width in twips; col -1 sets every column.
    void setColWidth(int col, int twips);
    // Height of every row in twips.
    void setRowHeight(int twips);

    // Formatting of the selected cells: row Row, columns Col to ColSel.
    void setCellBackColor(qint64 bgr);
    void setCellAlignment(int alignment);
    qint64 cellBackColor(int row, int col) const;
    void setForeColor(qint64 bgr);

    void setRedraw(bool on);
    bool redraw() const { return m_redraw; }

    // 7 ascending, 8 descending; by the texts of columns Col to ColSel, code unit order.
    void sort(int order);

    // Row under the pointer at the last mouse press (-1 where there is none).
    int mouseRow() const { return m_mouseRow; }

    // Re-applies widths and heights after the window's scale changed.
    void rescale();

  signals:
    void mouseDown();
    void clicked();

  protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

  private:
    void applyColumnWidth(int col);
    double scale() const;

    FlexGridModel *m_model;
    std::vector<int> m_colTwips;
    int m_rowTwips = 0;
    int m_row = 0;
    int m_col = 0;
    int m_colSel = 0;
    int m_mouseRow = -1;
    bool m_pressed = false;
    bool m_redraw = true;
};
