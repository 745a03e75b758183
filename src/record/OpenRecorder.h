#pragma once

class QWidget;
class frmTalk;

// Shows the recording screen for the voice files of `talk`'s program folder, modal over
// `parent`, with the default microphone and audio output.
void openRecorder(frmTalk &talk, QWidget *parent);
