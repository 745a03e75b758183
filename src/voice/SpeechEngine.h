#pragma once

#include "voice/EngineFiles.h"
#include "voice/SpokenPart.h"

#include <QObject>
#include <memory>

class EngineWorker;
class QThread;
struct SpeechSettings;

// The speech engine as the window sees it: requests return at once, the runs happen on a
// thread of their own and their results come back as signals on the window's thread.
class SpeechEngine : public QObject
{
    Q_OBJECT

  public:
    explicit SpeechEngine(EngineFiles files);
    // Ends the run in progress and waits for the thread (a killed run ends at once).
    ~SpeechEngine() override;

    // The package that is missing for the engine to run; empty when it can.
    QString missingPackage() const { return m_files.missingPackage(); }
    // Asks for `spoken` to be made; made() answers with the number returned here.
    quint64 make(const QString &spoken, const SpeechSettings &voice);
    // Drops every request not yet answered and ends the run in progress.
    void cancel();

  signals:
    void made(quint64 id, const SpokenPart &part);

  private:
    EngineFiles m_files;
    std::unique_ptr<QThread> m_thread;
    EngineWorker *m_worker = nullptr; // lives on m_thread; deleted there
    quint64 m_lastId = 0;
};
