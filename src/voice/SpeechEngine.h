#pragma once

#include "voice/EngineFiles.h"
#include "voice/SpeechSettings.h"
#include "voice/SpokenPart.h"

#include <QHash>
#include <QObject>
#include <memory>
#include <optional>

class EngineWorker;
class QThread;

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
    // Asks for `spoken` to be made; made() answers with the number returned here. What was
    // made ahead with the same words and voice answers at once (or when its run ends). With
    // `keep`, the result is kept as if made ahead (the first part of a text, which is read
    // again as it is or after an edit further on).
    quint64 make(const QString &spoken, const SpeechSettings &voice, bool keep = false);
    // Makes `spoken` before it is asked for, in place of what was made ahead before (a run
    // still making that is ended, unless a request waits on it). Kept until something else
    // is made ahead; a failed run is forgotten, and a request waiting on a failed run ahead
    // gets a run of its own.
    void makeAhead(const QString &spoken, const SpeechSettings &voice);
    // What was made ahead of `spoken` with `voice`, once it is ready; nullptr otherwise.
    const SpokenPart *madeAhead(const QString &spoken, const SpeechSettings &voice) const;
    // Drops every request not yet answered and ends the run in progress.
    void cancel();

  signals:
    void made(quint64 id, const SpokenPart &part);

  private:
    struct Ahead
    {
        QString spoken;
        SpeechSettings voice;
        quint64 run = 0; // the run making it
        std::optional<SpokenPart> part;
    };
    struct Waiting
    {
        QString spoken;
        SpeechSettings voice;
        bool ahead = false;
        QList<quint64> requests;
    };

    bool isAhead(const QString &spoken, const SpeechSettings &voice) const;
    void replaceAhead(const QString &spoken, const SpeechSettings &voice, bool ahead);
    void run(quint64 id, const QString &spoken, const SpeechSettings &voice);
    void answer(quint64 id, const SpokenPart &part);

    EngineFiles m_files;
    std::unique_ptr<QThread> m_thread;
    EngineWorker *m_worker = nullptr; // lives on m_thread; deleted there
    quint64 m_lastId = 0;
    std::optional<Ahead> m_ahead;
    // Runs of kept parts still making, each with the requests that wait on it.
    QHash<quint64, Waiting> m_waiting;
};
