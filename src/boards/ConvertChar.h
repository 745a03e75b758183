#pragma once

#include <QString>

class FlexGrid;

// The variant forms of a plain character: `right` goes to window column 2 of the selection
// grid, `left` (when not empty) to window column 0. Both empty when the text has none.
struct CharForms
{
    QString left;
    QString right;
};

// Looks the whole text up in the tables of small, lower-case, voiced and half-voiced forms.
CharForms charForms(const QString &text);

// Writes the forms of `text` into window row `row` of grdBoard2, over the board neighbours.
void ConvertChar(FlexGrid &grdBoard2, const QString &text, int row);
