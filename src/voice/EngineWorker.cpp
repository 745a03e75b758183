#include "voice/EngineWorker.h"

#include "platform/PrivateTemp.h"
#include "voice/SpeechOnset.h"

#include <QFile>
#include <QProcess>
#include <QTimer>

using namespace Qt::Literals::StringLiterals;

namespace {
// A part of 60 characters takes about 0.3 s of one core; far beyond that the engine is stuck.
constexpr int kLimitBaseMs = 3000;
constexpr int kLimitPerCharacterMs = 20;
// Kept around the speech: a soft onset, and a tail that lets all of it out of the server's
// buffer before the next part replaces it.
constexpr qint64 kLeadMs = 10;
constexpr qint64 kTailMs = 150;
// A part of 60 characters said at half speed lasts about 20 s; far beyond that is damage.
constexpr qint64 kLongestPartSeconds = 120;
// Its waveform (the voice's 48 kHz, 16-bit mono) with room for the headers, and its trace
// (about 2 MB).
constexpr qint64 kLargestWave = kLongestPartSeconds * 48000 * 2 + (1 << 16);
constexpr qint64 kLargestTrace = 16 << 20;
// The labels end where the waveform does; a trace that stops sooner was cut short.
constexpr qint64 kLabelsShortMs = 50;

// The file, when it holds at most `largest` bytes and is read whole; empty otherwise.
QByteArray readAll(const QString &path, qint64 largest)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > largest)
        return {};
    QByteArray bytes = file.readAll();
    return bytes.size() == file.size() ? bytes : QByteArray();
}
} // namespace

EngineWorker::EngineWorker(EngineFiles files)
    : m_files(std::move(files)), m_process(new QProcess(this)), m_limit(new QTimer(this))
{
    m_limit->setSingleShot(true);
    connect(m_limit, &QTimer::timeout, m_process, &QProcess::kill);
    connect(m_process, &QProcess::finished, this, &EngineWorker::finished);
    connect(m_process, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error != QProcess::FailedToStart)
            return;
        m_startFailed = true;
        finished(); // no finished() follows a program that never started
    });
}

EngineWorker::~EngineWorker()
{
    m_cancelled = true;
    m_process->kill();
    m_process->waitForFinished(1000);
}

void EngineWorker::make(quint64 id, const QString &spoken, const SpeechSettings &voice)
{
    m_queue.enqueue({id, spoken, voice});
    startNext();
}

void EngineWorker::cancel()
{
    m_queue.clear();
    killRunning();
}

void EngineWorker::drop(quint64 id)
{
    m_queue.removeIf([id](const Request &request) { return request.id == id; });
    if (m_running.id == id)
        killRunning();
}

void EngineWorker::prepare()
{
    if (!m_dir)
        m_dir = std::make_unique<PrivateTemp>(u"talk-speech"_s);
}

void EngineWorker::killRunning()
{
    if (m_process->state() == QProcess::NotRunning)
        return;
    m_cancelled = true;
    m_process->kill();
}

QString EngineWorker::filePath(const QString &suffix) const
{
    return m_dir->filePath(QString::number(m_running.id) + suffix);
}

void EngineWorker::startNext()
{
    if (m_process->state() != QProcess::NotRunning || m_queue.isEmpty())
        return;
    m_running = m_queue.dequeue();
    m_cancelled = false;
    m_startFailed = false;
    prepare();
    if (!m_dir->isValid()) { // no private folder could be made: nothing is written elsewhere
        m_startFailed = true;
        finished();
        return;
    }
    const SpeechSettings &voice = m_running.voice;
    const QStringList arguments = {u"-x"_s,  m_files.dictionary,
                                   u"-m"_s,  m_files.voice,
                                   u"-ow"_s, filePath(u".wav"_s),
                                   u"-ot"_s, filePath(u".txt"_s),
                                   u"-r"_s,  QString::number(voice.speed / 100.0),
                                   u"-fm"_s, QString::number(voice.pitch),
                                   u"-g"_s,  QString::number(voice.volume)};
    m_limit->start(kLimitBaseMs + kLimitPerCharacterMs * int(m_running.spoken.size()));
    m_process->start(m_files.program, arguments);
    m_process->write(m_running.spoken.toUtf8() + '\n');
    m_process->closeWriteChannel();
}

void EngineWorker::finished()
{
    m_limit->stop();
    const bool cancelled = m_cancelled;
    SpokenPart part;
    if (!cancelled && !m_startFailed && m_process->exitStatus() == QProcess::NormalExit) {
        const QByteArray errors = m_process->readAllStandardError();
        if (m_process->exitCode() == 0)
            part = readResult();
        else if (errors.contains("No phoneme"))
            part.outcome = SpokenPart::Outcome::Silent;
    }
    m_process->readAll();
    if (m_dir) {
        QFile::remove(filePath(u".wav"_s));
        QFile::remove(filePath(u".txt"_s));
    }
    if (!cancelled)
        emit made(m_running.id, part);
    startNext();
}

SpokenPart EngineWorker::readResult() const
{
    SpokenPart part;
    const std::optional<PcmClip> wave =
        decodeWholeWav(readAll(filePath(u".wav"_s), kLargestWave), kLongestPartSeconds);
    if (!wave || wave->samples.isEmpty())
        return part;
    const QString trace = QString::fromUtf8(readAll(filePath(u".txt"_s), kLargestTrace));
    const EngineTrace timing = EngineTrace::read(trace, m_running.spoken);
    const qint64 length = wave->durationMs();
    if (timing.labelsEndMs < length - kLabelsShortMs)
        return part;
    const qint64 speechFrom = std::clamp<qint64>(timing.speechStartMs - kLeadMs, 0, length);
    const qint64 from = timing.closureEndMs < 0
                            ? speechFrom
                            : SpeechOnset::audibleFromMs(*wave, speechFrom, timing.closureEndMs);
    const qint64 to = timing.morae.isEmpty()
                          ? length
                          : std::clamp<qint64>(timing.speechEndMs + kTailMs, from, length);
    const auto byteAt = [&](qint64 ms) {
        return qsizetype(ms * wave->sampleRate / 1000) * wave->bytesPerFrame();
    };
    auto clip = std::make_shared<PcmClip>(*wave);
    clip->samples = wave->samples.mid(byteAt(from), byteAt(to) - byteAt(from));
    part.clip = std::move(clip);
    for (EngineTrace::Mora mora : timing.morae) {
        mora.startMs = std::max<qint64>(0, mora.startMs - from);
        part.morae.append(mora);
    }
    part.outcome = SpokenPart::Outcome::Made;
    return part;
}
