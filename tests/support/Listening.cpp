#include "Listening.h"
#include "record/WavFile.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTest>
#include <QThread>
#include <QtEndian>
#include <algorithm>
#include <cmath>
#include <numbers>
#include <pulse/simple.h>

using namespace Qt::Literals::StringLiterals;

namespace {
constexpr int kReadBytes = MonitorRecorder::kRate / 100 * 2; // 10 ms at a time
constexpr int kKeepAwakeSeconds = 60;

// PipeWire's runtime folder, when the sound server is PipeWire's pulse server (its own socket
// lies beside the pulse server's "<runtime>/pulse/native"); else empty.
QString pipeWireRuntime()
{
    const QString runtime = QFileInfo(soundServerSocket()).dir().absoluteFilePath(u".."_s);
    return QFileInfo::exists(runtime + u"/pipewire-0"_s) ? QDir::cleanPath(runtime) : QString();
}

// The monitor's fragments. PipeWire runs its whole graph at the shortest latency a stream asks
// for: 10 ms fragments held it at 256 frames (5.3 ms) where a desktop runs 1024 (21.3 ms), and
// the program's voices were heard under deadlines a user's never meet. PulseAudio's monitor
// loses the start of short voices with long fragments, so it keeps 10 ms. Onsets are read from
// the samples, whatever the fragment.
int fragmentBytes()
{
    return pipeWireRuntime().isEmpty() ? kReadBytes : 8 * kReadBytes;
}
} // namespace

MonitorRecorder::MonitorRecorder()
{
    const QByteArray sink = qgetenv("TALK_TEST_SINK");
    if (sink.isEmpty())
        return;
    const pa_sample_spec format{PA_SAMPLE_S16LE, kRate, 1};
    const pa_buffer_attr attr{~0u, ~0u, ~0u, ~0u,
                              uint32_t(fragmentBytes())}; // the server's but one
    const QByteArray source = sink + ".monitor";
    m_stream = pa_simple_new(nullptr, "Talk tests", PA_STREAM_RECORD, source.constData(), "monitor",
                             &format, nullptr, &attr, nullptr);
    if (!m_stream)
        return;
    // A sink with nothing to play may feed its monitor nothing: keep one silent stream playing,
    // so the recording is one unbroken timeline.
    m_keepAwake.play(std::make_shared<const PcmClip>(
        PcmClip{kRate, 1, QByteArray(qsizetype(kRate) * 2 * kKeepAwakeSeconds, 0)}));
    m_thread.reset(QThread::create([this] {
        char buffer[kReadBytes];
        for (;;) {
            if (pa_simple_read(m_stream, buffer, sizeof buffer, nullptr) < 0)
                return;
            const QMutexLocker lock(&m_mutex);
            m_samples.append(buffer, sizeof buffer);
            if (m_samples.size() >= m_stopAtBytes)
                return;
        }
    }));
    m_thread->start();
    // Starts the timeline once sound comes in; the generous limit only keeps a broken server
    // from hanging the test, so a busy machine never fails here.
    const QDeadlineTimer limit(30000);
    const auto hasSamples = [this] {
        const QMutexLocker lock(&m_mutex);
        return !m_samples.isEmpty();
    };
    while (!hasSamples() && !limit.hasExpired())
        QThread::msleep(5);
    m_started.start();
}

MonitorRecorder::~MonitorRecorder()
{
    stop();
}

QByteArray MonitorRecorder::stop()
{
    if (!m_stream)
        return m_samples;
    {
        // The monitor may deliver late (an idle null sink renders in long blocks): read on
        // until the recording covers the time it ran.
        const QMutexLocker lock(&m_mutex);
        m_stopAtBytes = m_started.elapsed() * kRate / 1000 * 2;
    }
    m_thread->wait();
    m_keepAwake.stop();
    pa_simple_free(m_stream);
    m_stream = nullptr;
    return m_samples;
}

QString listeningUnavailable()
{
    if (qEnvironmentVariableIsEmpty("TALK_TEST_SINK"))
        return u"no test sound server: run ./test.sh, or source tools/test_sound_server.sh"_s;
    if (!MonitorRecorder().isRecording())
        return u"cannot record the monitor of "_s + qEnvironmentVariable("TALK_TEST_SINK");
    return {};
}

void requireListening(const QString &missingPackage)
{
    QString reason = listeningUnavailable();
    if (reason.isEmpty() && !missingPackage.isEmpty())
        reason = u"the package %1 is not installed"_s.arg(missingPackage);
    if (!reason.isEmpty() && qEnvironmentVariableIsSet("TALK_TEST_SINK"))
        QFAIL(qPrintable(reason));
    if (!reason.isEmpty())
        QSKIP(qPrintable(reason));
}

QString soundServerSocket()
{
    const QString servers = qEnvironmentVariable("PULSE_SERVER").trimmed();
    if (servers.isEmpty()) {
        const QString runtime = qEnvironmentVariable("PULSE_RUNTIME_PATH");
        return runtime.isEmpty() ? qEnvironmentVariable("XDG_RUNTIME_DIR") + u"/pulse/native"_s
                                 : runtime + u"/native"_s;
    }
    QString first = servers.section(u' ', 0, 0);
    if (first.startsWith(u"unix:"_s))
        first.remove(0, 5);
    return first.startsWith(u'/') ? first : QString();
}

ServerTrouble::ServerTrouble() : m_underrunsBefore(PcmPlayer::underrunsInClips()) {}

QString ServerTrouble::report() const
{
    const int underruns = PcmPlayer::underrunsInClips() - m_underrunsBefore;
    if (underruns == 0)
        return {};
    return u" -- meanwhile the sound server ran out of a clip playing %1 time(s)"_s.arg(underruns);
}

namespace {
// What the server lists of `what` ("sinks", "sink-inputs").
QJsonArray serverList(const QString &what, const QByteArray &server = {})
{
    QProcess pactl;
    const QStringList list{u"-f"_s, u"json"_s, u"list"_s, what};
    pactl.start(u"pactl"_s,
                server.isEmpty() ? list : QStringList{u"-s"_s, QString::fromUtf8(server)} + list);
    pactl.waitForFinished();
    return QJsonDocument::fromJson(pactl.readAllStandardOutput()).array();
}
} // namespace

QString testSinkState()
{
    for (const QJsonValue &sink : serverList(u"sinks"_s))
        if (sink[u"name"_s].toString() == qEnvironmentVariable("TALK_TEST_SINK"))
            return sink[u"state"_s].toString();
    return {};
}

QStringList streamsHoldingTheSink(const QByteArray &server)
{
    QStringList names;
    const QString self = QString::number(QCoreApplication::applicationPid());
    for (const QJsonValue &input : serverList(u"sink-inputs"_s, server)) {
        const QJsonObject properties = input[u"properties"_s].toObject();
        if (properties[u"application.process.id"_s].toString() == self &&
            !input[u"corked"_s].toBool())
            names.append(properties[u"media.name"_s].toString());
    }
    return names;
}

QList<HeardTone> heardTones(const QByteArray &samples, int rate, const QList<int> &frequencies)
{
    // Hann-windowed Goertzel over 10 ms windows, 1 ms apart: a pitch is heard where its
    // amplitude passes a tenth of full scale; stretches shorter than 15 ms are leakage.
    constexpr double kThreshold = 0.1 * 32768;
    constexpr double kShortestMs = 15;
    const int window = rate / 100;
    const int hop = rate / 1000;
    const auto *pcm = reinterpret_cast<const qint16 *>(samples.constData());
    const qsizetype count = samples.size() / 2;
    QList<double> hann(window);
    double gain = 0;
    for (int i = 0; i < window; ++i) {
        hann[i] = 0.5 - 0.5 * std::cos(2 * std::numbers::pi * i / (window - 1));
        gain += hann[i];
    }
    QList<HeardTone> heard;
    for (const int f : frequencies) {
        const double coeff = 2 * std::cos(2 * std::numbers::pi * f / rate);
        double onset = -1;
        const auto close = [&](double endMs) {
            if (onset >= 0 && endMs - onset >= kShortestMs)
                heard.append({f, onset, endMs - onset});
            onset = -1;
        };
        for (qsizetype start = 0; start + window <= count; start += hop) {
            double s1 = 0, s2 = 0;
            for (int i = 0; i < window; ++i) {
                const double s = qFromLittleEndian(pcm[start + i]) * hann[i] + coeff * s1 - s2;
                s2 = s1;
                s1 = s;
            }
            const double amplitude = 2 * std::sqrt(s1 * s1 + s2 * s2 - coeff * s1 * s2) / gain;
            const double centreMs = (start + window / 2) * 1000.0 / rate;
            if (amplitude >= kThreshold && onset < 0)
                onset = centreMs;
            else if (amplitude < kThreshold)
                close(centreMs);
        }
        close(count * 1000.0 / rate);
    }
    std::sort(heard.begin(), heard.end(),
              [](const HeardTone &a, const HeardTone &b) { return a.onsetMs < b.onsetMs; });
    return heard;
}

QByteArray toWav(const PcmClip &clip)
{
    QList<qint16> samples(clip.samples.size() / 2);
    qFromLittleEndian<qint16>(clip.samples.constData(), samples.size(), samples.data());
    return WavFile::bytes(samples, clip.sampleRate);
}

HeardSound heardSound(const QByteArray &samples, int rate, const QList<HeardTone> &ignored,
                      double fromMs, double toMs)
{
    constexpr int kFrameMs = 10;
    constexpr double kLoudRms = 300; // of 32767: speech's quietest consonants are well above
    const auto *pcm = reinterpret_cast<const qint16 *>(samples.constData());
    const qsizetype frame = rate * kFrameMs / 1000;
    HeardSound heard;
    for (qsizetype start = 0; start + frame <= samples.size() / 2; start += frame) {
        const double ms = double(start) * 1000 / rate;
        if (ms < fromMs || ms >= toMs)
            continue;
        const bool tone = std::any_of(ignored.begin(), ignored.end(), [&](const HeardTone &t) {
            return ms > t.onsetMs - 2 * kFrameMs && ms < t.onsetMs + t.durationMs + 2 * kFrameMs;
        });
        double sum = 0;
        for (qsizetype i = start; i < start + frame; ++i)
            sum += double(pcm[i]) * pcm[i];
        if (tone || std::sqrt(sum / double(frame)) < kLoudRms)
            continue;
        if (heard.firstMs < 0)
            heard.firstMs = ms;
        else
            heard.longestGapMs = std::max(heard.longestGapMs, ms - heard.lastMs - kFrameMs);
        heard.lastMs = ms + kFrameMs;
    }
    return heard;
}
