#pragma once

#include <QString>

class FlexGrid;
class frmTalk;

// Before the first save replaces a data file that was read only in part (bytes that became no
// character, or an encoding that had to be guessed), copies its original bytes beside it and
// tells the user once where the copy is. `damagedFlag` names the grid property the load set
// for such a file; it is cleared once the copy exists. False when no copy could be made: the
// file must then not be replaced.
bool keepDamagedOriginal(frmTalk &talk, FlexGrid &grid, const char *damagedFlag,
                         const QString &path, const QString &title);
