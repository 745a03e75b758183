#pragma once

#include "boards/BoardControls.h"
#include "compose/ComposeControls.h"
#include "diary/DiaryControls.h"
#include "samples/SampleControls.h"

#include <array>

class CallButton;
class PredictStrip;
class QPushButton;

// Every control of the main window, by the part that owns it.
struct TalkControls
{
    BoardControls boards;
    ComposeControls compose;
    SampleControls samples;
    DiaryControls diary;
    QPushButton *cmdRead = nullptr;
    QPushButton *cmdEnd = nullptr;
    QPushButton *cmdOpt = nullptr;
    CallButton *cmdCall = nullptr;
    std::array<QPushButton *, 6> cmdQuick{}; // the quick answers, while shown
    PredictStrip *strip = nullptr; // the prediction strip, when it is chosen
};
