#include "platform/QtTakePlayer.h"

#include <QAudioFormat>
#include <QAudioSink>
#include <QMediaDevices>

QtTakePlayer::QtTakePlayer() : QtTakePlayer(QMediaDevices::defaultAudioOutput()) {}

QtTakePlayer::QtTakePlayer(const QAudioDevice &device) : m_device(device) {}

QtTakePlayer::~QtTakePlayer()
{
    stop();
}

void QtTakePlayer::play(const QList<qint16> &samples, int sampleRate)
{
    stop();
    if (m_device.isNull() || samples.isEmpty())
        return;
    QAudioFormat format;
    format.setSampleRate(sampleRate);
    format.setChannelCount(1);
    format.setSampleFormat(QAudioFormat::Int16);
    m_bytes = QByteArray(reinterpret_cast<const char *>(samples.constData()),
                         samples.size() * qsizetype(sizeof(qint16)));
    m_buffer.setBuffer(&m_bytes);
    m_buffer.open(QIODevice::ReadOnly);
    m_sink = std::make_unique<QAudioSink>(m_device, format);
    m_sink->start(&m_buffer);
}

void QtTakePlayer::stop()
{
    if (m_sink)
        m_sink->stop();
    m_sink.reset();
    m_buffer.close();
}
