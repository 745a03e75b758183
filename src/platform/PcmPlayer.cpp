#include "platform/PcmPlayer.h"

#include <QThread>
#include <algorithm>
#include <pulse/error.h>
#include <pulse/simple.h>

// The sound server is reached through its own client library rather than QAudioSink: Qt's
// backend connects once at start-up (a server that appears later is never used) and its sink
// is fed by timers of the thread's event loop. Here a plain thread writes to a blocking stream,
// so playback runs while the window thread sleeps in its designed waits.

namespace {

// Feeding in small chunks keeps a new request waiting at most one chunk. The server holds
// kBufferMs ahead: the output latency, and how long this thread may be kept off the processor
// (a busy machine) before a voice breaks up; 40 ms broke up 2 voices in 40 under heavy load.
constexpr int kChunkMs = 10;
constexpr int kBufferMs = 100;

// One playback stream on the sound server for one sample format.
class ServerStream
{
  public:
    ~ServerStream() { close(); }

    // Makes sure a stream for the clip's format is open; false when the server cannot be reached.
    bool openFor(const PcmClip &clip, const QByteArray &name)
    {
        if (m_stream && clip.sampleRate == m_rate && clip.channels == m_channels)
            return true;
        close();
        const pa_sample_spec format{PA_SAMPLE_S16LE, uint32_t(clip.sampleRate),
                                  uint8_t(clip.channels)};
        const auto bytesFor = [&](int ms) {
            return uint32_t(qint64(clip.sampleRate) * ms / 1000 * clip.bytesPerFrame());
        };
        const uint32_t server = uint32_t(-1); // the server's choice
        const pa_buffer_attr attr{server, bytesFor(kBufferMs), server, server, server};
        int error = 0;
        m_stream = pa_simple_new(nullptr, "Talk", PA_STREAM_PLAYBACK, nullptr, name.constData(),
                                 &format, nullptr, &attr, &error);
        if (!m_stream)
            return false;
        m_rate = clip.sampleRate;
        m_channels = clip.channels;
        m_chunk = bytesFor(kChunkMs);
        // The start threshold is the whole buffer: after each clip this much silence follows,
        // so a clip shorter than it still starts and its end is never held back.
        m_tail = bytesFor(kBufferMs);
        return true;
    }

    qsizetype chunkBytes() const { return m_chunk; }
    qsizetype tailBytes() const { return m_tail; }

    // Blocks while the server's buffer is full; false (and closed) when the server failed.
    bool write(const char *data, qsizetype bytes)
    {
        int error = 0;
        if (pa_simple_write(m_stream, data, size_t(bytes), &error) < 0) {
            close();
            return false;
        }
        m_holdsSound = true;
        return true;
    }

    // Drops what the server has not played yet.
    void flush()
    {
        if (!m_stream || !m_holdsSound)
            return;
        int error = 0;
        if (pa_simple_flush(m_stream, &error) < 0)
            close();
        m_holdsSound = false;
    }

  private:
    void close()
    {
        if (m_stream)
            pa_simple_free(m_stream);
        m_stream = nullptr;
        m_holdsSound = false;
    }

    pa_simple *m_stream = nullptr;
    int m_rate = 0;
    int m_channels = 0;
    qsizetype m_chunk = 0;
    qsizetype m_tail = 0;
    bool m_holdsSound = false;
};

} // namespace

PcmPlayer::PcmPlayer(QByteArray streamName)
    : m_streamName(std::move(streamName)), m_thread(QThread::create([this] { run(); }))
{
    m_thread->start();
}

PcmPlayer::~PcmPlayer()
{
    {
        const QMutexLocker lock(&m_mutex);
        m_quit = true;
    }
    m_wake.wakeAll();
    m_thread->wait();
}

void PcmPlayer::play(std::shared_ptr<const PcmClip> clip)
{
    if (!clip || clip->samples.isEmpty())
        clip.reset();
    request(std::move(clip));
}

void PcmPlayer::stop()
{
    request(nullptr);
}

void PcmPlayer::request(std::shared_ptr<const PcmClip> clip)
{
    {
        const QMutexLocker lock(&m_mutex);
        m_pending = std::move(clip);
    }
    m_wake.wakeAll();
}

void PcmPlayer::run()
{
    ServerStream stream;
    std::shared_ptr<const PcmClip> clip;
    qsizetype offset = 0;
    QByteArray silence;
    for (;;) {
        std::optional<std::shared_ptr<const PcmClip>> next;
        {
            QMutexLocker lock(&m_mutex);
            while (!m_quit && !m_pending && !clip)
                m_wake.wait(&m_mutex); // idle: sleeps until the next request
            if (m_quit)
                return;
            next.swap(m_pending);
        }
        if (next) {
            stream.flush();
            clip = std::move(*next);
            offset = 0;
            if (clip && !stream.openFor(*clip, m_streamName))
                clip.reset();
            continue;
        }
        // The clip, then the tail of silence that lets all of it out.
        const qsizetype size = clip->samples.size();
        const qsizetype end = size + stream.tailBytes();
        const qsizetype bytes = std::min(end - offset, stream.chunkBytes());
        bool written = false;
        if (offset < size) {
            written =
                stream.write(clip->samples.constData() + offset, std::min(bytes, size - offset));
            offset += std::min(bytes, size - offset);
        } else {
            if (silence.size() < bytes)
                silence = QByteArray(bytes, 0);
            written = stream.write(silence.constData(), bytes);
            offset += bytes;
        }
        if (!written || offset >= end)
            clip.reset();
    }
}
