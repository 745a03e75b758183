#include "platform/QtPcmPlayer.h"

#include <QAudioFormat>
#include <QAudioSink>
#include <QMediaDevices>

QtPcmPlayer::QtPcmPlayer() = default;

QtPcmPlayer::~QtPcmPlayer()
{
    stop();
}

void QtPcmPlayer::play(const QList<qint16> &samples, int sampleRate)
{
    stop();
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull() || samples.isEmpty())
        return;
    QAudioFormat format;
    format.setSampleRate(sampleRate);
    format.setChannelCount(1);
    format.setSampleFormat(QAudioFormat::Int16);
    m_bytes = QByteArray(reinterpret_cast<const char *>(samples.constData()),
                         samples.size() * qsizetype(sizeof(qint16)));
    m_buffer.setBuffer(&m_bytes);
    m_buffer.open(QIODevice::ReadOnly);
    m_sink = std::make_unique<QAudioSink>(device, format);
    m_sink->start(&m_buffer);
}

void QtPcmPlayer::stop()
{
    if (m_sink)
        m_sink->stop();
    m_sink.reset();
    m_buffer.close();
}
