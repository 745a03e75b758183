#pragma once

class FlexGrid;
class QFrame;
class QLabel;
class QPushButton;

// The main board, the enlarged selection screen laid over it and the set switch.
struct BoardControls
{
    FlexGrid *grdBoard = nullptr;
    QFrame *fraSet = nullptr; // the selection screen
    FlexGrid *grdBoard2 = nullptr;
    QPushButton *cmdEnd2 = nullptr;
    QPushButton *cmdspace = nullptr;
    QPushButton *cmdKey = nullptr;
    QLabel *txtHide = nullptr; // the text being entered
};
