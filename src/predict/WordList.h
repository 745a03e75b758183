#pragma once

#include <QString>
#include <QStringView>

#include <functional>
#include <vector>

// Texts kept sorted by their kana key, for looking up every text that begins with a typed part.
// Each text carries a weight (how likely it is: larger is likelier).
class WordList
{
  public:
    struct Word
    {
        QString key; // KanaKey::fold(text)
        QString text;
        double weight = 0;
    };

    // Takes the words in any order; a text given twice keeps its larger weight.
    void assign(std::vector<Word> words);
    // Calls `visit` for every word whose key begins with `keyPrefix` and is longer than it.
    void forEachLonger(QStringView keyPrefix, const std::function<void(const Word &)> &visit) const;
    qsizetype size() const { return qsizetype(m_words.size()); }

  private:
    std::vector<Word> m_words;
};
