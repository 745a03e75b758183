#pragma once

#include "voice/SpeechSettings.h"

#include <QHash>
#include <QObject>
#include <QStringList>
#include <QTimer>
#include <memory>

class PcmClip;
class SpeechOutput;
class Voice;
class VoiceStore;
struct SpokenPart;

// Says a quick answer at once, without touching the text: in the user's own recorded voice when
// one is kept for the phrase, else in the sentence voice (each phrase made ahead, so a press
// plays what is ready), else character by character in the character voices. A new answer cuts
// off the one before.
class QuickSpeaker : public QObject
{
    Q_OBJECT

  public:
    enum class Way
    {
        OwnVoice,
        Sentence,
        Characters
    };

    static constexpr int kCharacterStepMs = 800; // the reading's cadence

    // Own recordings are looked up in `ownVoiceDir` (the data folder).
    QuickSpeaker(Voice &voice, const QString &ownVoiceDir, QObject *parent = nullptr);
    ~QuickSpeaker() override;

    // Sentence speech, or nullptr; the phrases are made ahead with it.
    void setSpeech(SpeechOutput *speech);
    void setPhrases(const QStringList &phrases);
    Way wayFor(const QString &phrase) const;
    // Whether the phrase can name a voice file (no separator): else it is never looked up or
    // recorded, so that "../" in a phrase reaches no file outside the voice folder.
    bool canHaveOwnVoice(const QString &phrase) const;
    void say(const QString &phrase);

  signals:
    // A phrase has started to be said.
    void said(const QString &phrase);

  private:
    bool speaksSentences() const;
    // Asks the engine for each phrase not yet made with the current voice settings.
    void makeAhead();
    void madeByEngine(quint64 id, const SpokenPart &part);
    void sayCharacters(const QString &phrase);
    void stepCharacters();
    void silence();

    Voice &m_voice;
    std::unique_ptr<VoiceStore> m_store;
    SpeechOutput *m_speech = nullptr;
    QStringList m_phrases;
    SpeechSettings m_madeWith;
    QHash<QString, std::shared_ptr<const PcmClip>> m_made;
    QHash<quint64, QString> m_requests;
    QString m_waitingFor; // pressed before its sound was ready
    QString m_characters; // what is left to say character by character
    QTimer m_step;
    QMetaObject::Connection m_engineResults;
};
