#pragma once

class frmTalk;

// Rebuilds grdBoard with the set that follows the one named by cmdKey's caption
// (hiragana -> katakana -> alphanumeric -> hiragana) and renames the button.
void MakeBoard(frmTalk &talk);
