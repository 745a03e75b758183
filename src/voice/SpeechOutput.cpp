#include "voice/SpeechOutput.h"

#include "platform/PcmPlayer.h"
#include "voice/SpeechEngine.h"

SpeechOutput::SpeechOutput(SettingsStore &store, const EngineFiles &files)
    : m_store(store), m_engine(std::make_unique<SpeechEngine>(files)),
      m_player(std::make_unique<PcmPlayer>("speech"))
{
}

SpeechOutput::~SpeechOutput() = default;

bool SpeechOutput::speaksSentences() const
{
    return settings().mode == 1 && m_engine->missingPackage().isEmpty();
}
