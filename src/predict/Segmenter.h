#pragma once

#include <QString>
#include <QStringList>

#include <memory>
#include <mutex>

struct mecab_t;

// Splits Japanese text into words with the MeCab morphological analyser and Debian's MeCab
// dictionary. Without a dictionary, text is split only at spaces and punctuation.
class Segmenter
{
  public:
    Segmenter();
    ~Segmenter();
    Segmenter(const Segmenter &) = delete;
    Segmenter &operator=(const Segmenter &) = delete;

    bool hasAnalyser() const { return m_tagger != nullptr; }
    // The words of one sentence, in order; spaces and punctuation end up in none.
    QStringList words(const QString &sentence);
    // What is worth offering from `text` (three characters or more), in each of its sentences:
    // the runs of one to four neighbouring words, and the rest of each word from each character
    // inside it, so that a typed part beginning where the analyser saw no word still finds them.
    // Nothing begins with a small kana, "ー" or "ん".
    QStringList wordsAndRuns(const QString &text);

  private:
    std::mutex m_mutex; // one analysis at a time: a tagger is not shared between threads
    mecab_t *m_tagger = nullptr;
};
