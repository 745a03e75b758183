#pragma once

#include "platform/AudioInput.h"
#include "platform/TakePlayer.h"

#include <QList>
#include <algorithm>
#include <cmath>
#include <numbers>

// A microphone fed by the test: feed() hands samples to the running capture in 10 ms blocks
// until capture stops, and returns how many were taken.
class FakeAudioInput final : public AudioInput
{
  public:
    bool isAvailable() const override { return available; }
    int sampleRate() const override { return rate; }
    bool start(SampleSink sink) override
    {
        if (!available)
            return false;
        m_sink = std::move(sink);
        return true;
    }
    void stop() override { m_sink = nullptr; }
    bool isCapturing() const { return bool(m_sink); }

    qsizetype feed(const QList<qint16> &samples)
    {
        const qsizetype block = rate / 100;
        qsizetype taken = 0;
        while (m_sink && taken < samples.size()) {
            const qsizetype count = std::min(block, samples.size() - taken);
            const SampleSink sink = m_sink; // the sink may stop capture
            sink(samples.constData() + taken, count);
            taken += count;
        }
        return taken;
    }

    bool available = true;
    int rate = 48000;

  private:
    SampleSink m_sink;
};

class RecordingTakePlayer final : public TakePlayer
{
  public:
    void play(const QList<qint16> &samples, int) override { played.append(samples); }
    void stop() override {}
    QList<QList<qint16>> played;
};

// Synthetic takes: digital silence and sine tones.
namespace Synth {
inline QList<qint16> silence(int ms, int rate)
{
    return QList<qint16>(qsizetype(qint64(rate) * ms / 1000), 0);
}
// A sine of the given peak in dBFS; above 0 dBFS it is clipped at full scale.
inline QList<qint16> tone(int ms, double hz, double peakDb, int rate)
{
    QList<qint16> samples(qsizetype(qint64(rate) * ms / 1000));
    const double amplitude = 32768.0 * std::pow(10.0, peakDb / 20.0);
    for (qsizetype i = 0; i < samples.size(); ++i) {
        const double v = amplitude * std::sin(2.0 * std::numbers::pi * hz * double(i) / rate);
        samples[i] = qint16(std::clamp(v, -32768.0, 32767.0));
    }
    return samples;
}
inline QList<qint16> take(int leadMs, int toneMs, int tailMs, double peakDb, int rate)
{
    return silence(leadMs, rate) + tone(toneMs, 220.0, peakDb, rate) + silence(tailMs, rate);
}
} // namespace Synth
