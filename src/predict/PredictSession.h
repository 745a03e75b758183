#pragma once

#include "predict/Predictor.h"

#include <QObject>
#include <QStringList>

#include <memory>
#include <mutex>
#include <thread>

class LearnedFile;
class LearnedSaver;
class Segmenter;

// The predictor as the window keeps it. The base list, the learned words' file and the word
// analyser are loaded on a thread of their own after start(), so the window shows at once; until
// then only saved sentences are offered. Learning and taking change the learned words at once;
// the file is then written on a thread of its own (LearnedSaver), which follows the changes on a
// copy of its own, so the window thread never builds the file.
class PredictSession : public QObject
{
    Q_OBJECT

  public:
    // `saved`: the saved sentences; `learnedPath`: the learned words' file; `learning`: whether
    // the user's texts are learned; `firstTexts`: the user's files (the saved sentences and the
    // diary) learned from when there is no learned words' file yet.
    PredictSession(const QStringList &saved, const QString &notASentence, QString learnedPath,
                   bool learning, QStringList firstTexts = {});
    // Writes what is still waiting to the file.
    ~PredictSession() override;

    // The base list read by start(): the built-in one unless another is given before.
    void setBaseList(QString path) { m_basePath = std::move(path); }
    void start();
    bool ready() const { return m_ready; }
    const Predictor &predictor() const { return m_predictor; }
    // Whether texts and takings are learned from now on; what was learned stays.
    void setLearning(bool learning) { m_learning = learning; }
    bool learning() const { return m_learning; }

    // Learns the words and runs of a text of the user's (read aloud or saved).
    void learnText(const QString &text);
    // The user took `c`.
    void taken(const Predictor::Candidate &c);
    // Offered and passed over: the user went on entering.
    void passed(const QList<Predictor::Candidate> &offered);
    // Forgets everything learned, in memory and in the file.
    void forget();
    // Waits for the writes asked for so far (tests); false when the last one failed.
    bool waitForSave();

  signals:
    void becameReady();

  private:
    void loaded(WordList base, std::shared_ptr<LearnedWords> learned,
                std::shared_ptr<LearnedWords> copy, bool fileExisted,
                const QStringList &firstWords);
    // Makes the change to the learned words and, once loaded, hands it to the file's writer.
    void change(LearnedWords::Change c, bool write);

    Predictor m_predictor;
    const QString m_learnedPath;
    QString m_basePath;
    bool m_learning;
    bool m_forgotten = false; // forgotten before the file was loaded: what it held goes too
    const QStringList m_firstTexts;
    bool m_ready = false;
    QStringList m_waitingTexts; // learned once the analyser is ready
    std::unique_ptr<Segmenter> m_segmenter;
    std::unique_ptr<LearnedFile> m_file;
    std::unique_ptr<LearnedSaver> m_saver; // made once the file is loaded
    std::thread m_loader;
};
