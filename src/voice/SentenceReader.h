#pragma once

#include "voice/SpeechScript.h"
#include "voice/SpeechSettings.h"
#include "voice/SpokenPart.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <functional>
#include <optional>

class Clock;
class PcmPlayer;
class SpeechEngine;
class TextBox;

// Reads a text as sentences: the engine makes the parts a little ahead of the voice, each part
// plays on the speech stream as soon as the one before has ended, and the characters of the
// mora being heard are selected in the box at the time the engine's labels give.
class SentenceReader
{
  public:
    SentenceReader(SpeechEngine &engine, PcmPlayer &player, const Clock &clock, TextBox &box);
    ~SentenceReader();
    SentenceReader(const SentenceReader &) = delete;
    SentenceReader &operator=(const SentenceReader &) = delete;

    // Plays the first part at once when it was made ahead, and asks for the next parts, so they
    // are being made while the window gets ready; what comes back before read() is kept.
    void start(const QList<SpeechScript::Part> &parts, const SpeechSettings &voice);
    // Lets the window's events run until everything is said or `stopRequested` returns true
    // (asked every few milliseconds; a stop silences the voice at once). Returns where reading
    // character by character is to take over: the text start of the first part the engine
    // could not make, or -1 when nothing is left.
    int read(const std::function<bool()> &stopRequested);

  private:
    enum class Step
    {
        Waiting,
        Done,
        Failed
    };

    void requestAhead();
    // Moves on to the next part once the current one has been heard; plays what is ready.
    Step advance();
    void highlight(qint64 elapsedMs);
    void stopAll();

    SpeechEngine &m_engine;
    PcmPlayer &m_player;
    const Clock &m_clock;
    TextBox &m_box;
    QList<SpeechScript::Part> m_parts;
    SpeechSettings m_voice;
    QList<std::optional<SpokenPart>> m_made;
    QHash<quint64, int> m_partOfRequest;
    int m_requested = 0;
    int m_current = 0;
    bool m_playing = false;
    qint64 m_startedMs = 0;
    int m_shownMora = -1;
    QMetaObject::Connection m_results;
    std::function<void()> m_onResult; // set while read() runs
};
