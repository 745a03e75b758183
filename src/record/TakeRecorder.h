#pragma once

#include "record/PcmTools.h"
#include "record/SpeechWatch.h"

#include <QList>
#include <QObject>
#include <optional>

class AudioInput;

// Records one take: start() captures from the input until stop(), until the speech has ended,
// or until kMaxMs of sound; the take is then processed and finished() is emitted.
class TakeRecorder : public QObject
{
    Q_OBJECT

  public:
    static constexpr int kMaxMs = 3000;

    explicit TakeRecorder(AudioInput &input, QObject *parent = nullptr);
    ~TakeRecorder() override;

    bool isRecording() const { return m_recording; }
    // False when the input could not start.
    bool start();
    // Ends capture and processes what was heard.
    void stop();
    // Ends capture and throws the take away.
    void cancel();
    const PcmTools::Take &take() const { return m_take; }

  signals:
    void levelChanged(double dbfs);
    void finished();

  private:
    void receive(const qint16 *samples, qsizetype count);

    AudioInput &m_input;
    bool m_recording = false;
    int m_sampleRate = 0;
    QList<qint16> m_raw;
    std::optional<SpeechWatch> m_watch;
    PcmTools::Take m_take;
};
