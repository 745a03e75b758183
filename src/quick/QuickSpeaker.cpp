#include "quick/QuickSpeaker.h"

#include "platform/PcmPlayer.h"
#include "record/VoiceStore.h"
#include "voice/SpeechEngine.h"
#include "voice/SpeechOutput.h"
#include "voice/SpeechScript.h"
#include "voice/SpokenPart.h"
#include "voice/Voice.h"

namespace {
// What the engine is to say for a phrase: its parts in one breath.
QString spokenText(const QString &phrase, const VoiceReadings &readings)
{
    QStringList spoken;
    for (const SpeechScript::Part &part : SpeechScript::parts(phrase, readings))
        spoken.append(part.spoken);
    return spoken.join(u'、');
}
} // namespace

QuickSpeaker::QuickSpeaker(Voice &voice, const QString &ownVoiceDir, QObject *parent)
    : QObject(parent), m_voice(voice), m_store(std::make_unique<VoiceStore>(ownVoiceDir))
{
    m_step.setInterval(kCharacterStepMs);
    connect(&m_step, &QTimer::timeout, this, &QuickSpeaker::stepCharacters);
}

QuickSpeaker::~QuickSpeaker() = default;

void QuickSpeaker::setSpeech(SpeechOutput *speech)
{
    disconnect(m_engineResults);
    m_speech = speech;
    m_made.clear();
    m_requests.clear();
    if (speech)
        m_engineResults =
            connect(&speech->engine(), &SpeechEngine::made, this, &QuickSpeaker::madeByEngine);
    makeAhead();
}

void QuickSpeaker::setPhrases(const QStringList &phrases)
{
    m_phrases = phrases;
    makeAhead();
}

bool QuickSpeaker::speaksSentences() const
{
    return m_speech && m_speech->speaksSentences();
}

QuickSpeaker::Way QuickSpeaker::wayFor(const QString &phrase) const
{
    if (canHaveOwnVoice(phrase) && m_store->kind(phrase) == VoiceStore::Kind::Own)
        return Way::OwnVoice;
    if (speaksSentences() && !spokenText(phrase, m_speech->readings()).isEmpty())
        return Way::Sentence;
    return Way::Characters;
}

bool QuickSpeaker::canHaveOwnVoice(const QString &phrase) const
{
    return !m_voice.voiceFile(phrase).isEmpty();
}

void QuickSpeaker::makeAhead()
{
    if (!speaksSentences())
        return;
    const SpeechSettings voice = m_speech->settings();
    if (!(voice == m_madeWith)) {
        m_made.clear();
        m_requests.clear();
        m_madeWith = voice;
    }
    for (const QString &phrase : std::as_const(m_phrases)) {
        if (m_made.contains(phrase) || m_requests.key(phrase) != 0 ||
            wayFor(phrase) != Way::Sentence)
            continue;
        const quint64 id = m_speech->engine().make(spokenText(phrase, m_speech->readings()), voice);
        m_requests.insert(id, phrase);
    }
}

void QuickSpeaker::madeByEngine(quint64 id, const SpokenPart &part)
{
    const QString phrase = m_requests.take(id);
    if (phrase.isEmpty())
        return;
    const bool made = part.outcome == SpokenPart::Outcome::Made && part.clip;
    if (made)
        m_made.insert(phrase, part.clip);
    if (phrase != m_waitingFor)
        return;
    m_waitingFor.clear();
    if (made)
        m_speech->player().play(part.clip);
    else
        sayCharacters(phrase);
}

void QuickSpeaker::say(const QString &phrase)
{
    silence();
    if (phrase.isEmpty())
        return;
    emit said(phrase);
    switch (wayFor(phrase)) {
    case Way::OwnVoice:
        m_voice.play(phrase);
        return;
    case Way::Sentence:
        makeAhead(); // the voice settings may have changed since
        if (const auto clip = m_made.value(phrase)) {
            m_speech->player().play(clip);
            return;
        }
        m_waitingFor = phrase;
        if (m_requests.key(phrase) == 0)
            m_requests.insert(
                m_speech->engine().make(spokenText(phrase, m_speech->readings()), m_madeWith),
                phrase);
        return;
    case Way::Characters:
        sayCharacters(phrase);
        return;
    }
}

void QuickSpeaker::sayCharacters(const QString &phrase)
{
    m_characters = phrase;
    stepCharacters();
    m_step.start();
}

void QuickSpeaker::stepCharacters()
{
    if (m_characters.isEmpty()) {
        m_step.stop();
        return;
    }
    // A surrogate pair is one character of the board.
    const int length = m_characters.at(0).isHighSurrogate() && m_characters.size() > 1 ? 2 : 1;
    m_voice.play(m_characters.left(length));
    m_characters.remove(0, length);
}

void QuickSpeaker::silence()
{
    m_step.stop();
    m_characters.clear();
    m_waitingFor.clear();
    if (m_speech)
        m_speech->player().stop();
}
