#include "platform/QtAudioInput.h"

#include <QAudioSource>
#include <QMediaDevices>
#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

constexpr int kWantedRate = 48000;

// One sample of the given format as a value in -1..1.
double sampleValue(const char *data, QAudioFormat::SampleFormat format)
{
    switch (format) {
    case QAudioFormat::UInt8:
        return (double(*reinterpret_cast<const quint8 *>(data)) - 128.0) / 128.0;
    case QAudioFormat::Int16: {
        qint16 v;
        std::memcpy(&v, data, sizeof v);
        return v / 32768.0;
    }
    case QAudioFormat::Int32: {
        qint32 v;
        std::memcpy(&v, data, sizeof v);
        return v / 2147483648.0;
    }
    case QAudioFormat::Float: {
        float v;
        std::memcpy(&v, data, sizeof v);
        return v;
    }
    default:
        return 0.0;
    }
}

qint16 toInt16(double value)
{
    return qint16(std::clamp(std::lround(value * 32768.0), -32768L, 32767L));
}

} // namespace

QtAudioInput::QtAudioInput() : QtAudioInput(QMediaDevices::defaultAudioInput()) {}

QtAudioInput::QtAudioInput(const QAudioDevice &device) : m_device(device)
{
    if (m_device.isNull())
        return;
    QAudioFormat wanted;
    wanted.setSampleRate(kWantedRate);
    wanted.setChannelCount(1);
    wanted.setSampleFormat(QAudioFormat::Int16);
    m_format = m_device.isFormatSupported(wanted) ? wanted : m_device.preferredFormat();
}

QtAudioInput::~QtAudioInput()
{
    m_sink = nullptr;
    if (m_source)
        m_source->stop();
}

bool QtAudioInput::isAvailable() const
{
    return !m_device.isNull() && m_format.isValid();
}

int QtAudioInput::sampleRate() const
{
    return m_format.sampleRate();
}

bool QtAudioInput::start(SampleSink sink)
{
    stop();
    if (!isAvailable())
        return false;
    m_sink = std::move(sink);
    m_source = std::make_unique<QAudioSource>(m_device, m_format);
    m_stream = m_source->start();
    if (!m_stream || m_source->error() != QAudio::NoError) {
        stop();
        return false;
    }
    connect(m_stream, &QIODevice::readyRead, this, &QtAudioInput::readAvailable);
    return true;
}

void QtAudioInput::stop()
{
    m_sink = nullptr;
    if (m_stream)
        disconnect(m_stream, nullptr, this, nullptr);
    m_stream = nullptr;
    if (!m_source)
        return;
    // Usually called from the sink, while the source is still delivering: stopping or deleting
    // it there pulls the stream from under the backend, so both wait for the event loop.
    QAudioSource *source = m_source.release();
    QMetaObject::invokeMethod(
        source,
        [source] {
            source->stop();
            delete source;
        },
        Qt::QueuedConnection);
}

void QtAudioInput::readAvailable()
{
    if (!m_stream)
        return;
    const QByteArray bytes = m_stream->readAll();
    const int frameBytes = m_format.bytesPerFrame();
    const int sampleBytes = m_format.bytesPerSample();
    const int channels = m_format.channelCount();
    if (frameBytes <= 0 || bytes.size() < frameBytes)
        return;
    const qsizetype frames = bytes.size() / frameBytes;
    QList<qint16> samples(frames);
    const bool plain = m_format.sampleFormat() == QAudioFormat::Int16 && channels == 1;
    if (plain) {
        std::memcpy(samples.data(), bytes.constData(), size_t(frames) * sizeof(qint16));
    } else {
        for (qsizetype f = 0; f < frames; ++f) {
            const char *frame = bytes.constData() + f * frameBytes;
            double sum = 0.0;
            for (int c = 0; c < channels; ++c)
                sum += sampleValue(frame + c * sampleBytes, m_format.sampleFormat());
            samples[f] = toInt16(sum / channels);
        }
    }
    // The sink may stop capture; keep it alive for this call.
    const SampleSink sink = m_sink;
    if (sink)
        sink(samples.data(), frames);
}
