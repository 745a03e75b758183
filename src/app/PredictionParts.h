#pragma once

#include "compose/ComposeControls.h"

#include <QString>

#include <functional>
#include <memory>

class AddedSpeech;
class PredictSession;
class PredictStrip;
class SettingsStore;
class SpeechOutput;
class Voice;
class frmTalk;
struct TalkControls;

// The prediction strip with what it stands on, shown when section "PREDICT" chooses it
// (key Mode: 0 the list over the board, as always; 1 the strip). Key Learn (1 unless 0) lets
// it learn from the user's texts: the saved sentences and the diary at first, then each text
// read with "読む" and each candidate taken. The strip is made hidden in either mode, so the
// choice can change while the program runs; the lists are read only once it is first shown.
class PredictionParts
{
  public:
    static constexpr const char16_t *kMode = u"Mode";
    static constexpr const char16_t *kLearn = u"Learn";
    static constexpr int kModeList = 0;
    static constexpr int kModeStrip = 1;

    PredictionParts(SettingsStore &settings, frmTalk &window, const TalkControls &controls,
                    Voice &voice, std::function<SpeechOutput *()> speech);
    ~PredictionParts();

    SettingsStore &settings() { return m_settings; }
    // Shows or hides the strip and turns learning on or off as the settings now say.
    void apply();
    // Whether the strip is chosen (otherwise the list over the board offers predictions).
    bool stripOn() const { return m_stripOn; }
    PredictStrip *strip() const { return m_strip; }
    PredictSession &session() { return *m_session; }

  private:
    SettingsStore &m_settings;
    const ComposeControls m_compose;
    std::unique_ptr<PredictSession> m_session;
    AddedSpeech *m_speech = nullptr;
    PredictStrip *m_strip = nullptr;
    bool m_stripOn = false;
};
