#pragma once

#include <QtGlobal>
#include <functional>

// A microphone delivering mono 16-bit samples. The real one reads the default audio input;
// tests feed synthetic takes.
class AudioInput
{
  public:
    using SampleSink = std::function<void(const qint16 *samples, qsizetype count)>;

    virtual ~AudioInput() = default;
    // Whether there is an input to record from at all.
    virtual bool isAvailable() const = 0;
    // Samples per second of what start() delivers.
    virtual int sampleRate() const = 0;
    // Starts capture; `sink` receives the samples on the calling thread as they arrive and may
    // call stop(). False when capture could not start.
    virtual bool start(SampleSink sink) = 0;
    virtual void stop() = 0;
};
