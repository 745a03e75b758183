#include "predict/Predictor.h"

#include "predict/BestWords.h"
#include "predict/KanaKey.h"

#include <algorithm>

namespace {

// The longest typed tail a word is looked up by, and how much more a longer one counts.
constexpr qsizetype kLongestTail = 8;
constexpr double kPerTailChar = 6.0;
// A learned word outweighs any base word continuing the same tail.
constexpr double kLearnedFloor = 2.0;
// Uses weigh most while recent: a use `kRecentSteps` learning steps ago counts half as much
// again as one long ago.
constexpr double kRecentSteps = 200.0;
// Saved sentences offered after one character, and after more.
constexpr int kSavedAfterOne = 2;
constexpr int kSavedAfterMore = 3;

bool sameResult(const Predictor::Candidate &a, const Predictor::Candidate &b)
{
    return a.replaceFrom == b.replaceFrom && a.text == b.text;
}

} // namespace

Predictor::Predictor(const QStringList &saved, QString notASentence)
    : m_saved(saved), m_notASentence(std::move(notASentence))
{
}

QList<Predictor::Candidate> Predictor::candidates(const QString &text, qsizetype caret,
                                                  int count) const
{
    caret = std::clamp<qsizetype>(caret, 0, text.size());
    const qsizetype from = KanaKey::sentenceStart(text, caret);
    QStringView typed = QStringView(text).sliced(from, caret - from);
    // Leading blanks are not part of what a sentence begins with.
    qsizetype lead = 0;
    while (lead < typed.size() && typed[lead].isSpace())
        ++lead;
    typed = typed.sliced(lead);
    QList<Candidate> out;
    if (typed.isEmpty() || count <= 0)
        return out;
    addSaved(typed, from + lead, out, count);
    addWords(typed, from + lead, out, count);
    return out;
}

void Predictor::addSaved(QStringView typed, qsizetype from, QList<Candidate> &out, int count) const
{
    const QString key = KanaKey::fold(typed);
    const int most = std::min(count, typed.size() == 1 ? kSavedAfterOne : kSavedAfterMore);
    QList<Candidate> found;
    for (qsizetype i = 0; i < m_saved.size(); ++i) {
        const QString &line = m_saved[i];
        if (line.size() <= typed.size() || line == m_notASentence)
            continue;
        if (!KanaKey::fold(QStringView(line).first(typed.size())).startsWith(key))
            continue;
        // Sentences the user took or read often come first; then the list's own order.
        const double uses = m_learned.passedOver(line) == 0 ? 1.0 : 0.5;
        found.append({line, from, Source::Saved, uses - double(i) / double(m_saved.size() + 1)});
    }
    std::stable_sort(found.begin(), found.end(),
                     [](const Candidate &a, const Candidate &b) { return a.score > b.score; });
    for (qsizetype i = 0; i < found.size() && out.size() < most; ++i) {
        if (std::none_of(out.begin(), out.end(),
                         [&](const Candidate &c) { return sameResult(c, found[i]); }))
            out.append(found[i]);
    }
}

void Predictor::addWords(QStringView typed, qsizetype from, QList<Candidate> &out, int count) const
{
    // The best few only: a word whose score before sinking cannot enter them costs no more.
    // A saved sentence already offered may repeat one of them, so as many more are kept.
    BestWords best(typed, from + typed.size(), count + int(out.size()));
    const double step = double(m_learned.step());
    double tailWeight = 1.0;
    for (qsizetype tail = 1; tail <= std::min(kLongestTail, typed.size());
         ++tail, tailWeight *= kPerTailChar) {
        const QString key = KanaKey::fold(typed.last(tail));
        m_learned.forEachLonger(key, [&](const QString &text, const LearnedWords::Entry &e) {
            const double recency = 1.0 + kRecentSteps / (kRecentSteps + step - double(e.last));
            best.offer(tail, text, Source::Learned,
                       (kLearnedFloor + double(e.uses) * recency) * tailWeight,
                       [&e] { return e.passed; });
        });
        m_base.forEachLonger(key, [&](const WordList::Word &w) {
            best.offer(tail, w.text, Source::Base, w.weight * tailWeight,
                       [this, &w] { return m_learned.passedOver(w.text); });
        });
    }
    for (const Candidate &c : best.ranked()) {
        if (out.size() >= count)
            return;
        const QString result = typed.chopped(from + typed.size() - c.replaceFrom) + c.text;
        const bool repeats = std::any_of(out.begin(), out.end(), [&](const Candidate &o) {
            return o.source == Source::Saved && o.text == result;
        });
        if (!repeats)
            out.append(c);
    }
}

QString Predictor::taking(const QString &text, qsizetype caret, const Candidate &c,
                          qsizetype *newCaret)
{
    caret = std::clamp<qsizetype>(caret, 0, text.size());
    const qsizetype from = std::clamp<qsizetype>(c.replaceFrom, 0, caret);
    if (newCaret)
        *newCaret = from + c.text.size();
    return QStringView(text).first(from) + c.text + QStringView(text).sliced(caret);
}
