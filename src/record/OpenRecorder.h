#pragma once

class ProgramFolders;
class QWidget;

// Shows the recording screen for the voice files of the data folder, modal over `parent`, with
// the default microphone and audio output.
void openRecorder(const ProgramFolders &folders, QWidget *parent);
