#pragma once

#include "voice/EngineFiles.h"
#include "voice/SpeechSettings.h"
#include "voice/SpokenPart.h"

#include <QObject>
#include <QQueue>
#include <memory>

class PrivateTemp;
class QProcess;
class QTimer;

// Runs the engine, one run at a time, on the speech thread: the text goes in on standard input,
// the waveform and the trace come back as files in a private folder (see PrivateTemp), removed
// after each run. A run that takes longer than its limit is killed and counts as failed, as
// does one whose waveform or trace is not whole (a full disk cuts them short, and the engine
// still ends as if it had succeeded).
class EngineWorker : public QObject
{
    Q_OBJECT

  public:
    explicit EngineWorker(EngineFiles files);
    ~EngineWorker() override;

    // Queues a run; made() answers it. Runs made ahead of a request run at the same priority as
    // the others: "読む" pressed right after a change waits on the run ahead, and a lowered one
    // can wait seconds for the processor on a busy machine.
    void make(quint64 id, const QString &spoken, const SpeechSettings &voice);
    // Drops the queued runs and kills the one in progress; none of them is answered.
    void cancel();
    // Drops one run, queued or in progress, without answering it.
    void drop(quint64 id);
    // Makes the private folder (removing those that killed runs left), before any run needs it.
    void prepare();

  signals:
    void made(quint64 id, const SpokenPart &part);

  private:
    struct Request
    {
        quint64 id = 0;
        QString spoken;
        SpeechSettings voice;
    };

    void startNext();
    void killRunning();
    void finished();
    SpokenPart readResult() const;
    QString filePath(const QString &suffix) const;

    EngineFiles m_files;
    std::unique_ptr<PrivateTemp> m_dir;
    QProcess *m_process = nullptr;
    QTimer *m_limit = nullptr;
    QQueue<Request> m_queue;
    Request m_running;
    bool m_cancelled = false;
    bool m_startFailed = false;
};
