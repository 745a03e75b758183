#pragma once

#include "platform/TakePlayer.h"

#include <QAudioDevice>
#include <QBuffer>
#include <QByteArray>
#include <memory>

class QAudioSink;

// Plays takes on an audio output (the default one unless told) through QAudioSink from a
// buffer in memory.
class QtTakePlayer final : public TakePlayer
{
  public:
    QtTakePlayer();
    explicit QtTakePlayer(const QAudioDevice &device);
    ~QtTakePlayer() override;

    void play(const QList<qint16> &samples, int sampleRate) override;
    void stop() override;

  private:
    QAudioDevice m_device;
    std::unique_ptr<QAudioSink> m_sink;
    QByteArray m_bytes;
    QBuffer m_buffer;
};
