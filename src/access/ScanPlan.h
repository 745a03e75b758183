#pragma once

#include "access/ScanNode.h"

#include <QList>
#include <QPoint>
#include <QPointer>
#include <QWidget>

struct TalkControls;

// What a selection presses: a widget (a button, or a grid's viewport) at a point inside it.
struct ScanTarget
{
    QPointer<QWidget> widget;
    QPoint point;
    bool weighty = false; // ends or deletes something (or confirms that): dwell waits longer
};

// The scan tree of the screen now shown, with the targets its leaves press. "終了", "設定",
// the composition text and the inert space button are never part of it.
struct ScanPlan
{
    // The plan over `window`'s `controls`, or over the question or stop panel on show.
    // rowsFirst: kana boards scan rows (あいうえお) first instead of columns (あかさ…).
    static ScanPlan build(QWidget &window, const TalkControls &controls, bool rowsFirst);

    QPointer<QWidget> window; // the top-level window the items lie in
    QString screen;           // names the screen, so a change of screen can be noticed
    ScanNode root;
    QList<ScanTarget> targets;
    bool readingAloud = false; // the stop panel is up: any press stops the reading
};
