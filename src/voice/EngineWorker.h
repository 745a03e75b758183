#pragma once

#include "voice/EngineFiles.h"
#include "voice/SpeechSettings.h"
#include "voice/SpokenPart.h"

#include <QObject>
#include <QQueue>
#include <memory>

class QProcess;
class QTemporaryDir;
class QTimer;

// Runs the engine, one run at a time, on the speech thread: the text goes in on standard input,
// the waveform and the trace come back as files in a private temporary folder, removed after
// each run. A run that takes longer than its limit is killed and counts as failed.
class EngineWorker : public QObject
{
    Q_OBJECT

  public:
    explicit EngineWorker(EngineFiles files);
    ~EngineWorker() override;

    // Queues a run; made() answers it. A run `ahead` of any request runs at a lower priority,
    // so it never slows what the user is doing.
    void make(quint64 id, const QString &spoken, const SpeechSettings &voice, bool ahead = false);
    // Drops the queued runs and kills the one in progress; none of them is answered.
    void cancel();
    // Drops one run, queued or in progress, without answering it.
    void drop(quint64 id);

  signals:
    void made(quint64 id, const SpokenPart &part);

  private:
    struct Request
    {
        quint64 id = 0;
        QString spoken;
        SpeechSettings voice;
        bool ahead = false;
    };

    void startNext();
    void killRunning();
    void finished();
    SpokenPart readResult() const;
    QString filePath(const QString &suffix) const;

    EngineFiles m_files;
    std::unique_ptr<QTemporaryDir> m_dir;
    QProcess *m_process = nullptr;
    QTimer *m_limit = nullptr;
    QQueue<Request> m_queue;
    Request m_running;
    bool m_cancelled = false;
    bool m_startFailed = false;
};
