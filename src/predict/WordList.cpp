#include "predict/WordList.h"

#include <algorithm>

void WordList::assign(std::vector<Word> words)
{
    std::sort(words.begin(), words.end(), [](const Word &a, const Word &b) {
        return a.key != b.key     ? a.key < b.key
               : a.text != b.text ? a.text < b.text
                                  : a.weight > b.weight;
    });
    words.erase(std::unique(words.begin(), words.end(),
                            [](const Word &a, const Word &b) { return a.text == b.text; }),
                words.end());
    m_words = std::move(words);
}

void WordList::forEachLonger(QStringView keyPrefix,
                             const std::function<void(const Word &)> &visit) const
{
    auto it = std::lower_bound(m_words.begin(), m_words.end(), keyPrefix,
                               [](const Word &w, QStringView k) { return QStringView(w.key) < k; });
    for (; it != m_words.end() && it->key.startsWith(keyPrefix); ++it) {
        if (it->key.size() > keyPrefix.size())
            visit(*it);
    }
}
