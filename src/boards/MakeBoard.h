#pragma once

class FlexGrid;
class QPushButton;

// Rebuilds `board` (columns 0..maxC) with the set that follows the one named by cmdKey's
// caption (hiragana -> katakana -> alphanumeric -> hiragana) and renames the button.
void MakeBoard(FlexGrid &board, QPushButton &cmdKey, int maxC);
