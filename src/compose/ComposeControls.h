#pragma once

#include <array>

class QFrame;
class QPushButton;
class TextBox;

// The composition box, the buttons beside it and the caret pad below the board.
struct ComposeControls
{
    QFrame *fraText = nullptr;
    TextBox *txtTalk = nullptr;
    QPushButton *cmdWide = nullptr;
    QPushButton *cmdCopy = nullptr;
    QPushButton *cmdPaste = nullptr;
    QFrame *fraRes = nullptr; // the caret pad
    std::array<QPushButton *, 5> cmdRes{};
    QPushButton *cmdStart = nullptr;
};
