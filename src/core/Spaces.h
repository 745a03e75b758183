#pragma once

#include <QString>

// The data files' own trimming: leading and trailing ASCII spaces go. The full-width space
// stays: it is what an empty board cell enters, so it is the user's own text.
QString trimSpaces(const QString &text);
