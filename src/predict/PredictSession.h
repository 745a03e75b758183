#pragma once

#include "predict/Predictor.h"

#include <QObject>
#include <QStringList>

#include <memory>
#include <mutex>
#include <thread>

class LearnedFile;
class Segmenter;

// The predictor as the window keeps it. The base list, the learned words' file and the word
// analyser are loaded on a thread of their own after start(), so the window shows at once; until
// then only saved sentences are offered. Learning and taking change the learned words at once;
// the file is then written on a thread of its own, one save at a time, and a save that failed
// is tried again with the next change.
class PredictSession : public QObject
{
    Q_OBJECT

  public:
    // `saved`: the saved sentences; `learnedPath`: the learned words' file; `learning`: whether
    // the user's texts are learned; `firstTexts`: the user's files (the saved sentences and the
    // diary) learned from when there is no learned words' file yet.
    PredictSession(const QStringList &saved, const QString &notASentence, QString learnedPath,
                   bool learning, QStringList firstTexts = {});
    ~PredictSession() override;

    void start();
    bool ready() const { return m_ready; }
    const Predictor &predictor() const { return m_predictor; }

    // Learns the words and runs of a text of the user's (read aloud or saved).
    void learnText(const QString &text);
    // The user took `c`; `passedOver`: what was offered with it before and left.
    void taken(const Predictor::Candidate &c);
    // Offered and passed over: the user went on entering.
    void passed(const QList<Predictor::Candidate> &offered);
    // Forgets everything learned, in memory and in the file.
    void forget();
    // Whether the last save reached the disk.
    bool saved() const { return !m_unsaved; }
    // Waits for the save in progress (tests, and the end of the program).
    void waitForSave();

  signals:
    void becameReady();
    void saveDone(bool ok);

  private:
    void loaded(WordList base, std::shared_ptr<LearnedWords> learned, bool fileExisted,
                const QStringList &firstWords);
    void save();

    Predictor m_predictor;
    const QString m_learnedPath;
    const bool m_learning;
    const QStringList m_firstTexts;
    bool m_ready = false;
    bool m_unsaved = false;
    QStringList m_waitingTexts; // learned once the analyser is ready
    std::unique_ptr<Segmenter> m_segmenter;
    std::unique_ptr<LearnedFile> m_file;
    std::thread m_loader;
    std::thread m_saver;
    std::mutex m_fileMutex; // the file is written by one save at a time
};
