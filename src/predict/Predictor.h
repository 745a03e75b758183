#pragma once

#include "predict/LearnedWords.h"
#include "predict/WordList.h"

#include <QList>
#include <QString>
#include <QStringList>

// Ranks what may come next at the caret, best first, from three sources: the saved sentences
// that begin with the sentence typed so far, the words and runs learned from the user's own
// texts, and a base list of common words. Saved sentences come first; then words whose kana
// begin with the last characters typed, the longer the typed part they continue the better,
// then the more used and the more lately used (learned) or the commoner (base), and the fewer
// characters they add (at least two); a word passed over sinks.
class Predictor
{
  public:
    enum class Source
    {
        Saved,
        Learned,
        Base
    };
    struct Candidate
    {
        QString text;              // what replaces the typed part
        qsizetype replaceFrom = 0; // where the typed part begins in the text
        Source source = Source::Base;
        double score = 0;
    };
    static constexpr int kMostShown = 5;

    // `saved`: the saved sentences (lines equal to `notASentence` are skipped), read at each
    // call.
    Predictor(const QStringList &saved, QString notASentence);

    LearnedWords &learned() { return m_learned; }
    const LearnedWords &learned() const { return m_learned; }
    void setBase(WordList base) { m_base = std::move(base); }
    const WordList &base() const { return m_base; }

    // Up to `count` candidates for the text typed before `caret`.
    QList<Candidate> candidates(const QString &text, qsizetype caret, int count = kMostShown) const;
    // The text the composition holds once `c` is taken at `caret`, and where the caret goes.
    static QString taking(const QString &text, qsizetype caret, const Candidate &c,
                          qsizetype *newCaret);

  private:
    void addSaved(QStringView typed, qsizetype from, QList<Candidate> &out, int count) const;
    void addWords(QStringView typed, qsizetype from, QList<Candidate> &out, int count) const;

    const QStringList &m_saved;
    const QString m_notASentence;
    LearnedWords m_learned;
    WordList m_base;
};
