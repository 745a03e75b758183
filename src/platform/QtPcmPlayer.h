#pragma once

#include "platform/PcmPlayer.h"

#include <QAudioDevice>
#include <QBuffer>
#include <QByteArray>
#include <memory>

class QAudioSink;

// Plays takes on an audio output (the default one unless told) through QAudioSink from a
// buffer in memory.
class QtPcmPlayer final : public PcmPlayer
{
  public:
    QtPcmPlayer();
    explicit QtPcmPlayer(const QAudioDevice &device);
    ~QtPcmPlayer() override;

    void play(const QList<qint16> &samples, int sampleRate) override;
    void stop() override;

  private:
    QAudioDevice m_device;
    std::unique_ptr<QAudioSink> m_sink;
    QByteArray m_bytes;
    QBuffer m_buffer;
};
