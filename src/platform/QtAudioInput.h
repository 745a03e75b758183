#pragma once

#include "platform/AudioInput.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QObject>
#include <memory>

class QAudioSource;
class QIODevice;

// An audio input (the default one unless told) through QAudioSource in push mode: 48 kHz mono
// 16-bit when the device takes it, otherwise the device's preferred format converted here (channels
// mixed down, float and 32-bit samples scaled to 16 bits).
class QtAudioInput final : public QObject, public AudioInput
{
    Q_OBJECT

  public:
    QtAudioInput();
    explicit QtAudioInput(const QAudioDevice &device);
    ~QtAudioInput() override;

    bool isAvailable() const override;
    int sampleRate() const override;
    bool start(SampleSink sink) override;
    void stop() override;

  private:
    void readAvailable();

    QAudioDevice m_device;
    QAudioFormat m_format;
    std::unique_ptr<QAudioSource> m_source;
    QIODevice *m_stream = nullptr; // owned by m_source
    SampleSink m_sink;
};
