#include "core/ListHighlight.h"

#include "platform/FlexGrid.h"

void ListHighlight::paint(FlexGrid &grid, int row, int firstCol, qint64 bgr)
{
    if (row < 0 || row >= grid.rows())
        return;
    grid.setRow(row);
    grid.setCol(firstCol);
    grid.setColSel(grid.cols() - 1);
    grid.setCellBackColor(bgr);
}
