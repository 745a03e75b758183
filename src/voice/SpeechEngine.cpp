#include "voice/SpeechEngine.h"

#include "voice/EngineWorker.h"

#include <QThread>

SpeechEngine::SpeechEngine(EngineFiles files)
    : m_files(std::move(files)), m_thread(std::make_unique<QThread>()),
      m_worker(new EngineWorker(m_files))
{
    m_thread->setObjectName(QStringLiteral("speech"));
    m_worker->moveToThread(m_thread.get());
    connect(m_worker, &EngineWorker::made, this, &SpeechEngine::answer);
    m_thread->start();
    // The private folder is made off the window's thread, and what killed runs left is cleared
    // at start, not at the first sentence read.
    QMetaObject::invokeMethod(m_worker, &EngineWorker::prepare);
}

SpeechEngine::~SpeechEngine()
{
    EngineWorker *worker = m_worker;
    QMetaObject::invokeMethod(
        worker, [worker] { delete worker; }, Qt::BlockingQueuedConnection);
    m_thread->quit();
    m_thread->wait();
}

bool SpeechEngine::isAhead(const QString &spoken, const SpeechSettings &voice) const
{
    return m_ahead && m_ahead->spoken == spoken && m_ahead->voice == voice;
}

quint64 SpeechEngine::make(const QString &spoken, const SpeechSettings &voice, bool keep)
{
    const quint64 id = ++m_lastId;
    if (!isAhead(spoken, voice)) {
        if (!keep) {
            run(id, spoken, voice);
            return id;
        }
        replaceAhead(spoken, voice, false);
    }
    if (!m_ahead->part) {
        m_waiting[m_ahead->run].requests.append(id);
        return id;
    }
    // Answered after make() has returned, as a run would be.
    QMetaObject::invokeMethod(
        this, [this, id, part = *m_ahead->part] { emit made(id, part); }, Qt::QueuedConnection);
    return id;
}

void SpeechEngine::makeAhead(const QString &spoken, const SpeechSettings &voice)
{
    if (!isAhead(spoken, voice))
        replaceAhead(spoken, voice, true);
}

const SpokenPart *SpeechEngine::madeAhead(const QString &spoken, const SpeechSettings &voice) const
{
    return isAhead(spoken, voice) && m_ahead->part ? &*m_ahead->part : nullptr;
}

void SpeechEngine::replaceAhead(const QString &spoken, const SpeechSettings &voice, bool ahead)
{
    if (m_ahead && m_waiting.contains(m_ahead->run) && m_waiting[m_ahead->run].requests.isEmpty()) {
        m_waiting.remove(m_ahead->run);
        QMetaObject::invokeMethod(m_worker,
                                  [worker = m_worker, id = m_ahead->run] { worker->drop(id); });
    }
    m_ahead = Ahead{spoken, voice, ++m_lastId, std::nullopt};
    m_waiting.insert(m_ahead->run, {spoken, voice, ahead, {}});
    run(m_ahead->run, spoken, voice);
}

void SpeechEngine::cancel()
{
    m_waiting.clear();
    if (m_ahead && !m_ahead->part)
        m_ahead.reset(); // its run is ended with the others
    QMetaObject::invokeMethod(m_worker, &EngineWorker::cancel);
}

void SpeechEngine::run(quint64 id, const QString &spoken, const SpeechSettings &voice)
{
    QMetaObject::invokeMethod(
        m_worker, [worker = m_worker, id, spoken, voice] { worker->make(id, spoken, voice); });
}

void SpeechEngine::answer(quint64 id, const SpokenPart &part)
{
    const auto found = m_waiting.constFind(id);
    if (found == m_waiting.constEnd()) {
        emit made(id, part);
        return;
    }
    const Waiting waiting = *found;
    m_waiting.erase(found);
    const bool failed = part.outcome == SpokenPart::Outcome::Failed;
    if (m_ahead && m_ahead->run == id) {
        if (failed)
            m_ahead.reset();
        else
            m_ahead->part = part;
    }
    for (const quint64 request : waiting.requests) {
        // A run ahead may have failed for being ahead (ended, starved): a request waiting on it
        // gets a run of its own before anything fails for the user.
        if (failed && waiting.ahead)
            run(request, waiting.spoken, waiting.voice);
        else
            emit made(request, part);
    }
}
