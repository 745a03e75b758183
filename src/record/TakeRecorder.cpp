#include "record/TakeRecorder.h"

#include "platform/AudioInput.h"

#include <algorithm>

TakeRecorder::TakeRecorder(AudioInput &input, QObject *parent) : QObject(parent), m_input(input) {}

TakeRecorder::~TakeRecorder()
{
    if (m_recording)
        m_input.stop();
}

bool TakeRecorder::start()
{
    cancel();
    m_take = {};
    m_sampleRate = m_input.sampleRate();
    m_watch.emplace(m_sampleRate);
    m_recording =
        m_input.start([this](const qint16 *samples, qsizetype count) { receive(samples, count); });
    return m_recording;
}

void TakeRecorder::stop()
{
    if (!m_recording)
        return;
    m_input.stop();
    m_recording = false;
    m_take = PcmTools::processTake(m_raw, m_sampleRate);
    m_raw.clear();
    emit finished();
}

void TakeRecorder::cancel()
{
    if (m_recording)
        m_input.stop();
    m_recording = false;
    m_raw.clear();
}

void TakeRecorder::receive(const qint16 *samples, qsizetype count)
{
    if (!m_recording)
        return;
    const auto maxSamples = qsizetype(qint64(m_sampleRate) * kMaxMs / 1000);
    const qsizetype taken = std::clamp<qsizetype>(count, 0, maxSamples - m_raw.size());
    m_raw.append(QList<qint16>(samples, samples + taken));
    m_watch->feed(samples, taken);
    emit levelChanged(m_watch->latestLevelDb());
    if (m_raw.size() >= maxSamples || m_watch->speechEnded())
        stop();
}
