#pragma once

#include "voice/SpeechSettings.h"
#include "voice/VoiceReadings.h"

#include <memory>

class Clock;
class FirstPartAhead;
class PcmPlayer;
class SettingsStore;
class SpeechEngine;
class TextBox;
struct EngineFiles;

// Sentence speech as the window keeps it: the engine, the stream it is heard on, the
// settings of section "VOICE" and the readings of marks.
class SpeechOutput
{
  public:
    SpeechOutput(SettingsStore &store, const EngineFiles &files);
    ~SpeechOutput();

    SettingsStore &store() { return m_store; }
    SpeechEngine &engine() { return *m_engine; }
    PcmPlayer &player() { return *m_player; }
    const VoiceReadings &readings() const { return m_readings; }
    SpeechSettings settings() const { return SpeechSettings::read(m_store); }
    // Whether "読む" speaks sentences: chosen, and every piece of the engine installed.
    bool speaksSentences() const;
    // Makes the first part of `box`'s text ahead while it is composed (see FirstPartAhead).
    void makeAheadFor(TextBox &box, const Clock &clock);

  private:
    SettingsStore &m_store;
    std::unique_ptr<SpeechEngine> m_engine;
    std::unique_ptr<PcmPlayer> m_player;
    VoiceReadings m_readings = VoiceReadings::builtIn();
    std::unique_ptr<FirstPartAhead> m_ahead;
};
