#include "strip/AddedSpeech.h"

#include "platform/PcmPlayer.h"
#include "voice/SpeechEngine.h"
#include "voice/SpeechOutput.h"
#include "voice/SpokenPart.h"
#include "voice/Voice.h"

AddedSpeech::AddedSpeech(Voice &voice, std::function<SpeechOutput *()> speech, QObject *parent)
    : QObject(parent), m_voice(voice), m_speech(std::move(speech))
{
    m_nextChar.setInterval(kCharMs);
    connect(&m_nextChar, &QTimer::timeout, this, &AddedSpeech::speakNextChar);
}

void AddedSpeech::speak(const QString &added)
{
    m_chars.clear();
    m_nextChar.stop();
    if (added.isEmpty())
        return;
    SpeechOutput *speech = m_speech ? m_speech() : nullptr;
    if (speech && speech->speaksSentences()) {
        if (!m_made)
            m_made = connect(&speech->engine(), &SpeechEngine::made, this,
                             [this, speech](quint64 id, const SpokenPart &part) {
                                 if (id == m_request && part.outcome == SpokenPart::Outcome::Made)
                                     speech->player().play(part.clip);
                             });
        m_request = speech->engine().make(added, speech->settings());
        return;
    }
    for (const QChar c : added)
        m_chars << QString(c);
    speakNextChar();
    m_nextChar.start();
}

void AddedSpeech::speakNextChar()
{
    if (m_chars.isEmpty()) {
        m_nextChar.stop();
        return;
    }
    m_voice.SpeakChar(m_chars.takeFirst(), 0, Voice::Kind::Enter);
}
