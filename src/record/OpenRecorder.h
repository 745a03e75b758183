#pragma once

#include <QStringList>

class ProgramFolders;
class QWidget;

// Shows the recording screen for the voice files of the data folder, modal over `parent`, with
// the default microphone and audio output; the quick `answers` have a page of their own.
void openRecorder(const ProgramFolders &folders, QWidget *parent, const QStringList &answers = {});
