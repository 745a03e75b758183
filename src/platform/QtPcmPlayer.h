#pragma once

#include "platform/PcmPlayer.h"

#include <QBuffer>
#include <QByteArray>
#include <memory>

class QAudioSink;

// Plays takes on the default audio output through QAudioSink from a buffer in memory.
class QtPcmPlayer final : public PcmPlayer
{
  public:
    QtPcmPlayer();
    ~QtPcmPlayer() override;

    void play(const QList<qint16> &samples, int sampleRate) override;
    void stop() override;

  private:
    std::unique_ptr<QAudioSink> m_sink;
    QByteArray m_bytes;
    QBuffer m_buffer;
};
