#include "voice/SpeechOutput.h"

#include "platform/PcmPlayer.h"
#include "voice/FirstPartAhead.h"
#include "voice/SpeechEngine.h"

namespace {
// The engine writes its voice's own rate, 16-bit mono.
constexpr int kEngineRate = 48000;
} // namespace

SpeechOutput::SpeechOutput(SettingsStore &store, const EngineFiles &files)
    : m_store(store), m_engine(std::make_unique<SpeechEngine>(files)),
      m_player(std::make_unique<PcmPlayer>("speech"))
{
    // Opened ahead in the engine's format (48 kHz mono), so the first sentence is not kept
    // waiting while its stream is made.
    m_player->prepare(kEngineRate, 1);
}

SpeechOutput::~SpeechOutput() = default;

bool SpeechOutput::speaksSentences() const
{
    return settings().mode == 1 && m_engine->missingPackage().isEmpty();
}

void SpeechOutput::makeAheadFor(TextBox &box, const Clock &clock)
{
    m_ahead = std::make_unique<FirstPartAhead>(*this, box, clock);
}
