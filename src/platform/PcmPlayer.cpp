#include "platform/PcmPlayer.h"

#include <QDebug>
#include <algorithm>
#include <atomic>
#include <pulse/context.h>
#include <pulse/rtclock.h>
#include <pulse/stream.h>
#include <pulse/thread-mainloop.h>
#include <pulse/timeval.h>

// The sound server is reached through its own client library rather than QAudioSink: Qt's
// backend connects once at start-up (a server that appears later is never used) and its sink
// is fed by timers of the thread's event loop. Here the client library's own thread feeds the
// stream when the server asks, so playback runs while the window thread sleeps in its designed
// waits, and no call ever blocks on the server: a frozen server cannot hold up a press or the
// end of the program.

namespace {

// How the stream's buffer is asked for. The server keeps the sink about PcmPlayer::kLatencyMs
// ahead of what is heard: a new clip's first sound comes that soon. A clip is written at its
// start as far as half the server's whole buffer holds (seconds of sound; voices and sentence
// parts whole); past that the server holds up to kAheadMs and asks for more once about half of
// it has played, so this thread may then be kept off the processor for half a second (a busy
// machine) before the sound breaks up. With 100 ms held (30 ms of it in the sink), voices broke
// up whenever this thread waited for the processor longer than the rest.
constexpr int kAheadMs = 1000;
// The stream starts as soon as this much is written, and again after running out.
constexpr int kStartMs = 10;
// Silence written after each clip, so a clip shorter than the start amount still starts.
constexpr int kTailMs = 2 * kStartMs;
// A clip still waiting for the server after this long is dropped rather than heard late.
constexpr pa_usec_t kStaleUs = 1000 * PA_USEC_PER_MSEC;

std::atomic_int underruns = 0;

} // namespace

// Everything here runs with the client library's lock held: in its thread (the callbacks) or
// through Lock from the caller's.
class PcmPlayer::Connection
{
  public:
    Connection(QByteArray name, int idleMs)
        : m_name(std::move(name)), m_idleMs(idleMs), m_loop(pa_threaded_mainloop_new())
    {
        pa_threaded_mainloop_start(m_loop);
        const Lock lock(m_loop);
        // Connecting reads the client's configuration: done in the client's thread.
        pa_mainloop_api_once(
            api(),
            [](pa_mainloop_api *, void *self) { static_cast<Connection *>(self)->connect(); },
            this);
    }

    ~Connection()
    {
        // The client's thread only ever waits in poll(), so this returns at once even when the
        // server hangs; what the server still holds is abandoned with the connection.
        pa_threaded_mainloop_stop(m_loop);
        cancelIdle();
        closeStream();
        dropContext();
        pa_threaded_mainloop_free(m_loop);
    }

    void prepare(int rate, int channels)
    {
        const Lock lock(m_loop);
        if (m_rate != 0)
            return;
        setFormat(rate, channels);
        if (!m_stream)
            openStream(); // at once when connected, else once the server answers
    }

    void request(std::shared_ptr<const PcmClip> clip)
    {
        const Lock lock(m_loop);
        m_clip = std::move(clip);
        m_offset = 0;
        m_requestedAt = pa_rtclock_now();
        if (!m_clip) {
            if (streamReady())
                pa_operation_unref(pa_stream_flush(m_stream, nullptr, nullptr));
            armIdle();
            return;
        }
        cancelIdle();
        if (!m_context || !PA_CONTEXT_IS_GOOD(pa_context_get_state(m_context))) {
            setFormat(m_clip->sampleRate, m_clip->channels);
            connect(); // the stream opens, and the clip starts, once the server answers
            return;
        }
        if (m_clip->sampleRate != m_rate || m_clip->channels != m_channels || !m_stream ||
            !PA_STREAM_IS_GOOD(pa_stream_get_state(m_stream))) {
            setFormat(m_clip->sampleRate, m_clip->channels);
            openStream();
            return;
        }
        if (streamReady())
            startClip();
    }

  private:
    class Lock
    {
      public:
        explicit Lock(pa_threaded_mainloop *loop) : m_loop(loop)
        {
            pa_threaded_mainloop_lock(loop);
        }
        ~Lock() { pa_threaded_mainloop_unlock(m_loop); }
        Lock(const Lock &) = delete;
        Lock &operator=(const Lock &) = delete;

      private:
        pa_threaded_mainloop *m_loop;
    };

    pa_mainloop_api *api() const { return pa_threaded_mainloop_get_api(m_loop); }
    bool streamReady() const
    {
        return m_stream && pa_stream_get_state(m_stream) == PA_STREAM_READY;
    }
    qsizetype bytesFor(int ms) const { return qsizetype(m_rate) * ms / 1000 * m_channels * 2; }

    void setFormat(int rate, int channels)
    {
        if (rate == m_rate && channels == m_channels)
            return;
        closeStream();
        m_rate = rate;
        m_channels = channels;
    }

    void connect()
    {
        closeStream();
        dropContext();
        m_context = pa_context_new(api(), "Talk");
        pa_context_set_state_callback(
            m_context,
            [](pa_context *, void *self) { static_cast<Connection *>(self)->contextChanged(); },
            this);
        pa_context_connect(m_context, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr);
    }

    void contextChanged()
    {
        if (pa_context_get_state(m_context) == PA_CONTEXT_READY && m_rate > 0)
            openStream();
    }

    void dropContext()
    {
        if (!m_context)
            return;
        pa_context_set_state_callback(m_context, nullptr, nullptr);
        pa_context_disconnect(m_context);
        pa_context_unref(m_context);
        m_context = nullptr;
    }

    // Opens the stream for the current format, paused unless a clip waits for it.
    void openStream()
    {
        closeStream();
        if (!m_context || pa_context_get_state(m_context) != PA_CONTEXT_READY)
            return;
        const pa_sample_spec format{PA_SAMPLE_S16LE, uint32_t(m_rate), uint8_t(m_channels)};
        m_stream = pa_stream_new(m_context, m_name.constData(), &format, nullptr);
        if (!m_stream)
            return;
        pa_stream_set_state_callback(
            m_stream,
            [](pa_stream *, void *self) { static_cast<Connection *>(self)->streamChanged(); },
            this);
        pa_stream_set_write_callback(
            m_stream,
            [](pa_stream *, size_t bytes, void *self) {
                static_cast<Connection *>(self)->feed(qsizetype(bytes));
            },
            this);
        pa_stream_set_underflow_callback(
            m_stream, [](pa_stream *, void *self) { static_cast<Connection *>(self)->underflow(); },
            this);
        // Asked to fit its latency to the buffer, the server keeps the sink half of what is left
        // of the buffer after two requests ahead, and holds the rest for the stream.
        const auto request = uint32_t(bytesFor(kAheadMs / 2 - PcmPlayer::kLatencyMs));
        const pa_buffer_attr attr{uint32_t(-1), uint32_t(bytesFor(kAheadMs)),
                                  uint32_t(bytesFor(kStartMs)), request, uint32_t(-1)};
        m_corked = !m_clip;
        const auto flags =
            pa_stream_flags_t(PA_STREAM_ADJUST_LATENCY | (m_corked ? PA_STREAM_START_CORKED : 0));
        pa_stream_connect_playback(m_stream, nullptr, &attr, flags, nullptr, nullptr);
    }

    void closeStream()
    {
        if (!m_stream)
            return;
        pa_stream_set_state_callback(m_stream, nullptr, nullptr);
        pa_stream_set_write_callback(m_stream, nullptr, nullptr);
        pa_stream_set_underflow_callback(m_stream, nullptr, nullptr);
        pa_stream_disconnect(m_stream);
        pa_stream_unref(m_stream);
        m_stream = nullptr;
    }

    void streamChanged()
    {
        if (pa_stream_get_state(m_stream) == PA_STREAM_READY && m_clip)
            startClip();
    }

    void startClip()
    {
        if (pa_rtclock_now() - m_requestedAt > kStaleUs) {
            m_clip.reset();
            return;
        }
        pa_operation_unref(pa_stream_flush(m_stream, nullptr, nullptr));
        m_startedAt = pa_rtclock_now();
        if (m_corked) {
            pa_operation_unref(pa_stream_cork(m_stream, 0, nullptr, nullptr));
            m_corked = false;
        }
        // As much of the clip as half the server's buffer holds, asked for or not: what is
        // written need not be asked for again. On PipeWire the request that follows a flush
        // can come only after the buffer has run dry, and a client kept off the processor
        // answers late; either broke a sentence in the middle. Bytes written beyond the
        // request only make the next one come later, once the buffer is back to its length.
        const pa_buffer_attr *attr = pa_stream_get_buffer_attr(m_stream);
        feed(std::max(qsizetype(pa_stream_writable_size(m_stream)),
                      attr ? qsizetype(attr->maxlength / 2) : 0));
    }

    // The server ran out of what was written. Past the clip's end that is only the silence after
    // it; before, the rest of the clip comes late, after a gap.
    void underflow()
    {
        if (!m_clip || m_offset >= m_clip->samples.size())
            return;
        ++underruns;
        qWarning("PcmPlayer: the sound server ran out of the clip playing on \"%s\" (%lld ms of "
                 "it written)",
                 m_name.constData(), qlonglong(m_offset * 1000 / bytesFor(1000)));
    }

    // The clip, then a little silence.
    void feed(qsizetype bytes)
    {
        if (!m_clip || !streamReady() || bytes <= 0)
            return;
        const qsizetype size = m_clip->samples.size();
        const qsizetype end = size + bytesFor(kTailMs);
        bytes = std::min(bytes, end - m_offset);
        if (m_offset < size) {
            const qsizetype part = std::min(bytes, size - m_offset);
            pa_stream_write(m_stream, m_clip->samples.constData() + m_offset, size_t(part), nullptr,
                            0, PA_SEEK_RELATIVE);
            m_offset += part;
            bytes -= part;
        }
        if (bytes > 0) {
            if (m_silence.size() < bytes)
                m_silence = QByteArray(bytes, 0);
            pa_stream_write(m_stream, m_silence.constData(), size_t(bytes), nullptr, 0,
                            PA_SEEK_RELATIVE);
            m_offset += bytes;
        }
        if (m_offset < end)
            return;
        m_clip.reset();
        // Written well ahead, the clip may play on for seconds: the idle time counts from its end.
        const pa_usec_t playedAt =
            m_startedAt + pa_usec_t(m_offset) * PA_USEC_PER_SEC / pa_usec_t(bytesFor(1000));
        const pa_usec_t now = pa_rtclock_now();
        armIdle(playedAt > now ? playedAt - now : 0);
    }

    // After the idle time the stream is paused: the server may then let the sound card sleep.
    // The connection and the stream stay, so the next clip starts as promptly.
    void armIdle(pa_usec_t playingUs = 0)
    {
        cancelIdle();
        timeval at{};
        pa_timeval_add(pa_gettimeofday(&at), playingUs + pa_usec_t(m_idleMs) * PA_USEC_PER_MSEC);
        m_idle = api()->time_new(
            api(), &at,
            [](pa_mainloop_api *, pa_time_event *, const timeval *, void *self) {
                static_cast<Connection *>(self)->idle();
            },
            this);
    }

    void cancelIdle()
    {
        if (m_idle)
            api()->time_free(m_idle);
        m_idle = nullptr;
    }

    void idle()
    {
        cancelIdle();
        if (m_clip || m_corked || !streamReady())
            return;
        pa_operation_unref(pa_stream_cork(m_stream, 1, nullptr, nullptr));
        m_corked = true;
    }

    const QByteArray m_name;
    const int m_idleMs;
    pa_threaded_mainloop *const m_loop;
    pa_context *m_context = nullptr;
    pa_stream *m_stream = nullptr;
    pa_time_event *m_idle = nullptr;
    bool m_corked = false;
    int m_rate = 0; // the stream's format; 0 until a clip or prepare() names one
    int m_channels = 0;
    // The clip playing or waiting for the stream, and how far it has been written (past its
    // end: the silence after it).
    std::shared_ptr<const PcmClip> m_clip;
    qsizetype m_offset = 0;
    pa_usec_t m_requestedAt = 0;
    pa_usec_t m_startedAt = 0; // when the clip began to be written
    QByteArray m_silence;
};

PcmPlayer::PcmPlayer(QByteArray streamName, int idleMs)
    : m_connection(std::make_unique<Connection>(std::move(streamName), idleMs))
{
}

PcmPlayer::~PcmPlayer() = default;

void PcmPlayer::prepare(int sampleRate, int channels)
{
    m_connection->prepare(sampleRate, channels);
}

void PcmPlayer::play(std::shared_ptr<const PcmClip> clip)
{
    if (!clip || clip->samples.isEmpty())
        clip.reset();
    m_connection->request(std::move(clip));
}

void PcmPlayer::stop()
{
    m_connection->request(nullptr);
}

int PcmPlayer::underrunsInClips()
{
    return underruns;
}
