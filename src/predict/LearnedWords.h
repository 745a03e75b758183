#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <functional>
#include <map>

// The words and short runs of words learned from the user's own texts, with how often and how
// lately each was used or taken, and how often it was offered and passed over. Kept as lines
// "text<TAB>uses<TAB>last<TAB>passed" (last: the learning step it was last used at).
class LearnedWords
{
  public:
    struct Entry
    {
        quint64 last = 0;   // the step of the last use
        quint32 uses = 0;   // learned from a text or taken from the strip; 0: only passed over
        quint32 passed = 0; // offered and not taken since the last use
    };

    // One change, as the window makes it; a copy kept elsewhere follows by applying the same
    // changes in the same order.
    struct Change
    {
        enum class Kind
        {
            Use,
            Pass,
            Clear
        };
        Kind kind = Kind::Use;
        QStringList texts;
        quint32 weight = 1;
    };

    // Reads the lines; a line that does not hold the four fields is skipped and counted.
    void load(QStringList lines);
    QStringList lines() const;
    qsizetype skippedLines() const { return m_skipped; }

    // One use of each text (a word or a run read or saved by the user).
    void use(const QStringList &texts, quint32 weight = 1);
    // The text was offered and the user went on without it.
    void pass(const QString &text);
    void clear();
    void apply(const Change &change);

    qsizetype size() const { return qsizetype(m_entries.size()); }
    quint64 step() const { return m_step; }
    // How often the text was passed over since its last use.
    quint32 passedOver(const QString &text) const;
    // Calls `visit` with the text of each used entry whose kana key begins with `keyPrefix` and
    // is longer.
    void forEachLonger(QStringView keyPrefix,
                       const std::function<void(const QString &, const Entry &)> &visit) const;

  private:
    Entry &entry(const QString &text);

    // By kana key, then a U+0001 and the text when it differs (katakana); a text that is its own
    // kana key is kept only as the key.
    std::map<QString, Entry> m_entries;
    QHash<QString, quint32> m_passed; // the texts passed over since their last use
    quint64 m_step = 0;
    qsizetype m_skipped = 0;
};
