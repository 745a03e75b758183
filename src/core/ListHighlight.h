#pragma once

#include <QtGlobal>

class FlexGrid;

// The highlight of the lists laid over the board.
namespace ListHighlight {

inline constexpr qint64 kOn = 8454016;   // light green
inline constexpr qint64 kOff = 16777215; // white

// Paints row `row` from column `firstCol` to the last column through the grid's current
// cell and selection, which stay on that row. A row outside the list is left alone.
void paint(FlexGrid &grid, int row, int firstCol, qint64 bgr);

} // namespace ListHighlight
