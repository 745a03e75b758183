#pragma once

#include <QString>

struct Services;
class QWidget;

// Before the first save replaces a data file that was read only in part (bytes that became no
// character, or an encoding that had to be guessed), copies its original bytes beside it and
// tells the user once, over `parent`, where the copy is. `damaged` is what the last load found;
// it is cleared once the copy exists. False when no copy could be made: the file must then not
// be replaced.
bool keepDamagedOriginal(Services &services, QWidget *parent, bool &damaged, const QString &path,
                         const QString &title);
