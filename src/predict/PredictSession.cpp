#include "predict/PredictSession.h"

#include "platform/TextFile.h"
#include "predict/BaseList.h"
#include "predict/LearnedFile.h"
#include "predict/LearnedSaver.h"
#include "predict/Segmenter.h"

using Change = LearnedWords::Change;

PredictSession::PredictSession(const QStringList &saved, const QString &notASentence,
                               QString learnedPath, bool learning, QStringList firstTexts)
    : m_predictor(saved, notASentence), m_learnedPath(std::move(learnedPath)),
      m_basePath(BaseList::builtInPath()), m_learning(learning),
      m_firstTexts(std::move(firstTexts)), m_file(std::make_unique<LearnedFile>(m_learnedPath))
{
}

PredictSession::~PredictSession()
{
    if (m_loader.joinable())
        m_loader.join();
    m_saver.reset();
}

void PredictSession::start()
{
    if (m_loader.joinable() || m_ready)
        return;
    const bool learning = m_learning;
    m_loader = std::thread([this, learning, basePath = m_basePath] {
        WordList base = BaseList::load(basePath);
        auto learned = std::make_shared<LearnedWords>();
        const bool existed = m_file->load(*learned);
        m_segmenter = std::make_unique<Segmenter>();
        QStringList firstWords;
        for (const QString &path : existed || !learning ? QStringList() : m_firstTexts) {
            for (const QString &line : TextFile::readLines(path).lines)
                firstWords << m_segmenter->wordsAndRuns(line);
        }
        // The file's writer starts from the same words as the window.
        auto copy = std::make_shared<LearnedWords>(*learned);
        QMetaObject::invokeMethod(
            this,
            [this, base = std::move(base), learned, copy, existed, firstWords]() mutable {
                loaded(std::move(base), learned, copy, existed, firstWords);
            },
            Qt::QueuedConnection);
    });
}

void PredictSession::loaded(WordList base, std::shared_ptr<LearnedWords> learned,
                            std::shared_ptr<LearnedWords> copy, bool fileExisted,
                            const QStringList &firstWords)
{
    m_loader.join();
    m_predictor.setBase(std::move(base));
    // What was learned or taken meanwhile counts on top of the file.
    LearnedWords &words = m_predictor.learned();
    const QStringList meanwhile = words.lines();
    words = std::move(*learned);
    m_saver = std::make_unique<LearnedSaver>(*m_file, std::move(*copy));
    m_ready = true;
    bool write = !fileExisted;
    if (m_forgotten) {
        change({Change::Kind::Clear, {}, 1}, true);
        write = true;
    } else if (!firstWords.isEmpty()) {
        change({Change::Kind::Use, firstWords, 1}, false);
    }
    if (!meanwhile.isEmpty()) {
        LearnedWords added;
        added.load(meanwhile);
        added.forEachLonger({}, [&](const QString &text, const LearnedWords::Entry &e) {
            change({Change::Kind::Use, {text}, e.uses}, false);
        });
        write = true;
    }
    QStringList waiting;
    waiting.swap(m_waitingTexts);
    for (const QString &text : waiting)
        learnText(text);
    if (write)
        m_saver->write();
    emit becameReady();
}

void PredictSession::change(Change c, bool write)
{
    m_predictor.learned().apply(c);
    if (m_saver)
        m_saver->add(std::move(c), write);
}

void PredictSession::learnText(const QString &text)
{
    if (!m_learning || text.trimmed().isEmpty())
        return;
    if (!m_ready) {
        m_waitingTexts << text;
        return;
    }
    change({Change::Kind::Use, m_segmenter->wordsAndRuns(text), 1}, true);
}

void PredictSession::taken(const Predictor::Candidate &c)
{
    if (m_learning)
        change({Change::Kind::Use, {c.text}, 1}, true);
}

void PredictSession::passed(const QList<Predictor::Candidate> &offered)
{
    if (!m_learning || offered.isEmpty())
        return;
    QStringList texts;
    for (const Predictor::Candidate &c : offered)
        texts << c.text;
    change({Change::Kind::Pass, texts, 1}, false);
}

void PredictSession::forget()
{
    m_waitingTexts.clear();
    m_forgotten = !m_ready;
    change({Change::Kind::Clear, {}, 1}, true);
}

bool PredictSession::waitForSave()
{
    return !m_saver || m_saver->wait();
}
