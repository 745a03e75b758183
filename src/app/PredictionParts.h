#pragma once

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

// The prediction strip with what it stands on, built when section "PREDICT" chooses it
// (key Mode: 0 the list over the board, as always; 1 the strip). Key Learn (1 unless 0) lets
// it learn from the user's texts: the saved sentences and the diary at first, then each text
// read with "読む".
struct PredictionParts
{
    static constexpr const char16_t *kMode = u"Mode";
    static constexpr const char16_t *kLearn = u"Learn";
    static constexpr int kModeStrip = 1;

    // The parts, or nullptr when the strip is not chosen.
    static std::unique_ptr<PredictionParts> install(SettingsStore &settings, frmTalk &window,
                                                    const TalkControls &controls, Voice &voice,
                                                    std::function<SpeechOutput *()> speech);
    ~PredictionParts();

    std::unique_ptr<PredictSession> session;
    AddedSpeech *speech = nullptr;
    PredictStrip *strip = nullptr;
};
