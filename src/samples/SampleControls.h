#pragma once

class FlexGrid;
class QFrame;
class QPushButton;

// The prediction and sample lists, the sample buttons and the list buttons that step them.
struct SampleControls
{
    FlexGrid *grdSp = nullptr; // predictions
    FlexGrid *grdEx = nullptr; // samples
    QPushButton *cmdSamp = nullptr;
    QPushButton *cmdSampADD = nullptr;
    QPushButton *cmdSampDel = nullptr;
    QFrame *fraTalk = nullptr; // the list buttons
    QPushButton *cmdUp = nullptr;
    QPushButton *cmdDown = nullptr;
    QPushButton *cmdDec = nullptr;
};
