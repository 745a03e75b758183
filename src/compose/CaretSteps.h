#pragma once

class TextBox;

// One step of each caret-pad button, done as direct edits of the text and the selection with
// the net effect of the cursor keys the pad stands for.
namespace CaretSteps {

// What the hold loop does after a step.
enum class Then
{
    Repeat,         // wait a repeat period and step again while the button is held
    Finish,         // stop at once
    YieldAndFinish, // let pending events run once, then stop
};

// Index 0 "→", 1 "ＢＳ", 2 "←", 3 "↓", 4 "↑".
Then step(int index, TextBox &box);

} // namespace CaretSteps
