#include "predict/PredictSession.h"

#include "platform/TextFile.h"
#include "predict/BaseList.h"
#include "predict/LearnedFile.h"
#include "predict/Segmenter.h"

#include <QPointer>

PredictSession::PredictSession(const QStringList &saved, const QString &notASentence,
                               QString learnedPath, bool learning, QStringList firstTexts)
    : m_predictor(saved, notASentence), m_learnedPath(std::move(learnedPath)), m_learning(learning),
      m_firstTexts(std::move(firstTexts)), m_file(std::make_unique<LearnedFile>(m_learnedPath))
{
}

PredictSession::~PredictSession()
{
    if (m_loader.joinable())
        m_loader.join();
    waitForSave();
}

void PredictSession::start()
{
    if (m_loader.joinable() || m_ready)
        return;
    m_loader = std::thread([this] {
        WordList base = BaseList::load(BaseList::builtInPath());
        auto learned = std::make_shared<LearnedWords>();
        bool existed = false;
        {
            std::lock_guard lock(m_fileMutex);
            existed = m_file->load(*learned);
        }
        m_segmenter = std::make_unique<Segmenter>();
        QStringList firstWords;
        for (const QString &path : existed || !m_learning ? QStringList() : m_firstTexts) {
            for (const QString &line : TextFile::readLines(path).lines)
                firstWords << m_segmenter->wordsAndRuns(line);
        }
        QMetaObject::invokeMethod(
            this,
            [this, base = std::move(base), learned, existed, firstWords]() mutable {
                loaded(std::move(base), learned, existed, firstWords);
            },
            Qt::QueuedConnection);
    });
}

void PredictSession::loaded(WordList base, std::shared_ptr<LearnedWords> learned, bool fileExisted,
                            const QStringList &firstWords)
{
    m_loader.join();
    m_predictor.setBase(std::move(base));
    // What was learned or taken meanwhile counts on top of the file.
    LearnedWords &words = m_predictor.learned();
    const QStringList meanwhile = words.lines();
    words = std::move(*learned);
    if (!firstWords.isEmpty())
        words.use(firstWords);
    if (!meanwhile.isEmpty()) {
        LearnedWords added;
        added.load(meanwhile);
        added.forEachLonger({}, [&](const LearnedWords::Entry &e) { words.use({e.text}, e.uses); });
    }
    m_ready = true;
    QStringList waiting;
    waiting.swap(m_waitingTexts);
    for (const QString &text : waiting)
        learnText(text);
    if (!fileExisted || !meanwhile.isEmpty() || !waiting.isEmpty())
        save();
    emit becameReady();
}

void PredictSession::learnText(const QString &text)
{
    if (!m_learning || text.trimmed().isEmpty())
        return;
    if (!m_ready) {
        m_waitingTexts << text;
        return;
    }
    m_predictor.learned().use(m_segmenter->wordsAndRuns(text));
    save();
}

void PredictSession::taken(const Predictor::Candidate &c)
{
    if (!m_learning)
        return;
    m_predictor.learned().use({c.text});
    if (m_ready)
        save();
}

void PredictSession::passed(const QList<Predictor::Candidate> &offered)
{
    if (!m_learning)
        return;
    for (const Predictor::Candidate &c : offered)
        m_predictor.learned().pass(c.text);
}

void PredictSession::forget()
{
    m_predictor.learned().clear();
    m_waitingTexts.clear();
    save();
}

void PredictSession::save()
{
    waitForSave();
    m_unsaved = true;
    m_saver = std::thread([this, lines = m_predictor.learned().lines()] {
        bool ok = false;
        {
            std::lock_guard lock(m_fileMutex);
            ok = m_file->save(lines);
        }
        QMetaObject::invokeMethod(
            this,
            [this, ok] {
                m_unsaved = !ok;
                emit saveDone(ok);
            },
            Qt::QueuedConnection);
    });
}

void PredictSession::waitForSave()
{
    if (m_saver.joinable())
        m_saver.join();
}
