#pragma once

#include <QObject>
#include <QStringList>
#include <QTimer>

#include <functional>

class SpeechOutput;
class Voice;

// Speaks what taking a candidate added: with the sentence voice when "読む" speaks sentences,
// otherwise character by character with the character voices, one every `kCharMs`. Never waits:
// the sentence is made on the engine's thread and played when it is ready.
class AddedSpeech : public QObject
{
    Q_OBJECT

  public:
    static constexpr int kCharMs = 450;

    AddedSpeech(Voice &voice, std::function<SpeechOutput *()> speech, QObject *parent);
    void speak(const QString &added);

  private:
    void speakNextChar();

    Voice &m_voice;
    std::function<SpeechOutput *()> m_speech;
    QStringList m_chars;
    QTimer m_nextChar;
    quint64 m_request = 0;
    QMetaObject::Connection m_made;
};
