#pragma once

#include "predict/Predictor.h"

#include <QString>
#include <QStringView>

#include <cmath>
#include <vector>

// The few best words offered for the typed part of a sentence, best first, each text the typed
// part can become once. A word is scored by its weight, how much it adds and how often it was
// passed over; the passed count is asked for only when the word could still enter. A word that
// adds a single character is not offered: taking it saves no selection (or one, for a form on
// the selection screen) and it would keep a longer word from the few places.
class BestWords
{
  public:
    // Each time a word is passed over it counts this much less. Gently: a word stays offered
    // while the typed part goes on matching it, and is passed over at each entry meanwhile.
    static constexpr double kPassedFactor = 0.95;
    // The fewest characters a word adds.
    static constexpr qsizetype kLeastAdded = 2;
    // Each character added makes the word less likely to be the one meant.
    static constexpr double kPerAddedChar = 0.8;

    // `typed`: the sentence typed so far, ending at `caret` in the text; `most`: how many kept.
    BestWords(QStringView typed, qsizetype caret, int most);

    // `word` continues the last `tail` typed characters; `passed()` says how often it was
    // passed over.
    template <typename Passed>
    void offer(qsizetype tail, const QString &word, Predictor::Source source, double weight,
               Passed passed)
    {
        const qsizetype added = word.size() - tail;
        if (added < kLeastAdded)
            return;
        double score = weight * std::pow(kPerAddedChar, double(added));
        if (!enters(score, word))
            return;
        if (const quint32 times = passed(); times > 0) {
            score *= sunk(times);
            if (!enters(score, word))
                return;
        }
        add(tail, word, source, score);
    }

    const std::vector<Predictor::Candidate> &ranked() const { return m_best; }

  private:
    bool enters(double score, const QString &word) const;
    static double sunk(quint32 times);
    void add(qsizetype tail, const QString &word, Predictor::Source source, double score);

    QStringView m_typed;
    qsizetype m_caret;
    std::size_t m_most;
    std::vector<Predictor::Candidate> m_best; // best first
    std::vector<QString> m_results;           // what the typed part becomes with each
};
