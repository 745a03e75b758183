#include "voice/SpeechEngine.h"

#include "voice/EngineWorker.h"

#include <QThread>

SpeechEngine::SpeechEngine(EngineFiles files)
    : m_files(std::move(files)), m_thread(std::make_unique<QThread>()),
      m_worker(new EngineWorker(m_files))
{
    m_thread->setObjectName(QStringLiteral("speech"));
    m_worker->moveToThread(m_thread.get());
    connect(m_worker, &EngineWorker::made, this, &SpeechEngine::made);
    m_thread->start();
}

SpeechEngine::~SpeechEngine()
{
    EngineWorker *worker = m_worker;
    QMetaObject::invokeMethod(
        worker, [worker] { delete worker; }, Qt::BlockingQueuedConnection);
    m_thread->quit();
    m_thread->wait();
}

quint64 SpeechEngine::make(const QString &spoken, const SpeechSettings &voice)
{
    const quint64 id = ++m_lastId;
    QMetaObject::invokeMethod(
        m_worker, [worker = m_worker, id, spoken, voice] { worker->make(id, spoken, voice); });
    return id;
}

void SpeechEngine::cancel()
{
    QMetaObject::invokeMethod(m_worker, &EngineWorker::cancel);
}
