#include "predict/BestWords.h"

#include <algorithm>
#include <cmath>

namespace {

// Higher scores first; equal scores by text, so the order never depends on the lists' order.
bool before(double score, const QString &text, const Predictor::Candidate &c)
{
    return score != c.score ? score > c.score : text < c.text;
}

} // namespace

BestWords::BestWords(QStringView typed, qsizetype caret, int most)
    : m_typed(typed), m_caret(caret), m_most(std::size_t(std::max(most, 0)))
{
    m_best.reserve(m_most + 1);
    m_results.reserve(m_most + 1);
}

bool BestWords::enters(double score, const QString &word) const
{
    return m_most > 0 && (m_best.size() < m_most || before(score, word, m_best.back()));
}

double BestWords::sunk(quint32 times)
{
    return std::pow(kPassedFactor, double(times));
}

void BestWords::add(qsizetype tail, const QString &word, Predictor::Source source, double score)
{
    QString result = m_typed.chopped(tail) + word;
    const auto same = std::find(m_results.begin(), m_results.end(), result);
    if (same != m_results.end()) {
        const std::size_t i = std::size_t(same - m_results.begin());
        if (!before(score, word, m_best[i]))
            return;
        m_best.erase(m_best.begin() + qsizetype(i));
        m_results.erase(same);
    }
    const auto at = std::find_if(m_best.begin(), m_best.end(), [&](const Predictor::Candidate &c) {
        return before(score, word, c);
    });
    const qsizetype i = at - m_best.begin();
    m_best.insert(at, {word, m_caret - tail, source, score});
    m_results.insert(m_results.begin() + i, std::move(result));
    if (m_best.size() > m_most) {
        m_best.pop_back();
        m_results.pop_back();
    }
}
