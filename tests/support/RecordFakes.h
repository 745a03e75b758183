#pragma once

#include "platform/AudioInput.h"
#include "platform/TakePlayer.h"

#include <QList>
#include <algorithm>
#include <cmath>
#include <numbers>

// A 48 kHz microphone fed by the test: feed() hands samples to the running capture in 10 ms
// blocks until capture stops, and returns how many were taken.
class FakeAudioInput final : public AudioInput
{
  public:
    static constexpr int kRate = 48000;
    bool isAvailable() const override { return available; }
    int sampleRate() const override { return kRate; }
    bool start(SampleSink sink) override
    {
        m_sink = available ? std::move(sink) : nullptr;
        return available;
    }
    void stop() override { m_sink = nullptr; }
    bool isCapturing() const { return bool(m_sink); }
    qsizetype feed(const QList<qint16> &samples)
    {
        qsizetype taken = 0;
        for (; m_sink && taken < samples.size(); taken += kRate / 100) {
            const SampleSink sink = m_sink; // the sink may stop capture
            sink(samples.constData() + taken,
                 std::min<qsizetype>(kRate / 100, samples.size() - taken));
        }
        return std::min(taken, samples.size());
    }
    bool available = true;

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

// Synthetic takes: a sine of the given peak in dBFS (clipped at full scale above 0 dBFS)
// between stretches of digital silence.
namespace Synth {
inline QList<qint16> tone(int ms, double hz, double peakDb, int rate = FakeAudioInput::kRate)
{
    QList<qint16> samples(qsizetype(qint64(rate) * ms / 1000));
    const double amplitude = 32768.0 * std::pow(10.0, peakDb / 20.0);
    for (qsizetype i = 0; i < samples.size(); ++i) {
        const double v = amplitude * std::sin(2.0 * std::numbers::pi * hz * double(i) / rate);
        samples[i] = qint16(std::clamp(v, -32768.0, 32767.0));
    }
    return samples;
}
inline QList<qint16> take(int leadMs, int toneMs, int tailMs, double peakDb)
{
    return tone(leadMs, 0.0, 0.0) + tone(toneMs, 220.0, peakDb) + tone(tailMs, 0.0, 0.0);
}
} // namespace Synth
