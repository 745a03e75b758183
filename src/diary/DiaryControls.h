#pragma once

class FlexGrid;
class QFrame;
class QPushButton;

// The diary list and the buttons of an open entry.
struct DiaryControls
{
    FlexGrid *grdDay = nullptr;
    QFrame *fraDay = nullptr;
    QPushButton *cmdRevise = nullptr;
    QPushButton *cmdBack = nullptr;
};
