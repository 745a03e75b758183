#pragma once

#include <QString>

struct Options;
struct Services;

// Speaks one text by its voice file, under the voice mode (OPT3). Touches only the sound
// device and the stop flag of a reading (gStopRead); waits on the clock.
class Voice
{
  public:
    // The moment a character is spoken at: the voice mode decides which it plays.
    enum class Kind
    {
        Select,
        Enter,
        First
    };

    Voice(const Options &options, qint16 &stopRead, Services &services);
    ~Voice();

    // Plays the voice of `character` when the voice mode allows `kind` (Select: the selection
    // screen opens, Enter: entered, First: a first click), then waits `waitSeconds` without
    // events, lets pending events run once and leaves gStopRead at -1.
    void SpeakChar(const QString &character, float waitSeconds, Kind kind);
    // Sends the playback command sequence for the voice file of `text` (no wait).
    void play(const QString &text);
    // The voice file of a text: program folder, separator, text, ".wav". Empty when the text
    // cannot be a file name here (empty, or holding a separator or NUL), so that "/" never
    // reaches a file such as ".wav" or one in another folder.
    QString voiceFile(const QString &text) const;

  private:
    // Whether the voice mode plays this kind of moment.
    bool speaks(Kind kind) const;

    const Options &m_options;
    qint16 &m_stopRead;
    Services &m_services;
};
