#pragma once

#include <QList>
#include <QRect>
#include <QString>

// One item of a screen's scan tree: a group to enter or a target to select.
struct ScanNode
{
    QString label;   // what the item shows (a caption, a cell's text, a column's head kana)
    QRect rect;      // where it is, in the coordinates of its top-level window
    int target = -1; // a leaf's index into its plan's targets; -1 for a group
    QList<ScanNode> children;
    // The voice file it sounds while lit, by its voice text: a cell's own ("か"), a column's or
    // row's first cell's, a button's or group's spoken name ("cues/読む"); empty for none.
    QString cue;

    bool isGroup() const { return !children.isEmpty(); }
};
