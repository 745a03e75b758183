#pragma once

#include <QString>

class frmTalk;

// Speaks one text by its voice file, under the voice mode.
class Voice
{
  public:
    explicit Voice(frmTalk &talk);
    ~Voice();

    // Plays the voice of `character` when the voice mode allows `kind` ("S" selection screen
    // opening, "E" entered, anything else a first click), then waits `waitSeconds` without
    // events, lets pending events run once and leaves gStopRead at -1.
    void SpeakChar(const QString &character, float waitSeconds, const QString &kind);
    // Sends the playback command sequence for the voice file of `text` (no wait).
    void play(const QString &text);
    // The voice file of a text: program folder, separator, text, ".wav". Empty when the text
    // cannot be a file name here (empty, or holding a separator or NUL), so that "/" never
    // reaches a file such as ".wav" or one in another folder.
    QString voiceFile(const QString &text) const;

  private:
    // Whether the voice mode plays this kind of moment.
    bool speaks(const QString &kind) const;

    frmTalk &m_talk;
};
