#include "predict/Segmenter.h"

#include <QFileInfo>
#include <QRegularExpression>

#include <mecab.h>

#include <algorithm>
#include <vector>

namespace {

// Debian's MeCab dictionaries, the one chosen for the system first.
constexpr const char *kDictionaries[] = {
    "/var/lib/mecab/dic/debian", "/var/lib/mecab/dic/ipadic-utf8", "/var/lib/mecab/dic/naist-jdic"};

// A candidate adds two characters at least (BestWords), after one typed at least: a shorter
// entry is never offered.
constexpr qsizetype kShortestEntry = 3;
constexpr qsizetype kLongestRun = 4;

// No word begins with these: where the analyser begins one there, it has split the text wrongly.
bool beginsNoWord(QChar c)
{
    static const QString never =
        QStringLiteral("ぁぃぅぇぉっゃゅょゎーんァィゥェォッャュョヮヵヶン");
    return never.contains(c);
}

const QRegularExpression &gaps()
{
    static const QRegularExpression re(QStringLiteral("[\\s\\p{P}\\p{S}_]+"));
    return re;
}

} // namespace

Segmenter::Segmenter()
{
    for (const char *dir : kDictionaries) {
        if (!QFileInfo::exists(QString::fromLatin1(dir) + QStringLiteral("/sys.dic")))
            continue;
        const QByteArray args = QByteArray("-r /dev/null -Owakati -d ") + dir;
        m_tagger = mecab_new2(args.constData());
        if (m_tagger)
            return;
    }
}

Segmenter::~Segmenter()
{
    if (m_tagger)
        mecab_destroy(m_tagger);
}

QStringList Segmenter::words(const QString &sentence)
{
    QStringList out;
    for (const QString &piece : sentence.split(gaps(), Qt::SkipEmptyParts)) {
        if (!m_tagger) {
            out << piece;
            continue;
        }
        const QByteArray utf8 = piece.toUtf8();
        std::lock_guard lock(m_mutex);
        const char *parsed = mecab_sparse_tostr2(m_tagger, utf8.constData(), size_t(utf8.size()));
        if (!parsed) {
            out << piece;
            continue;
        }
        out << QString::fromUtf8(parsed).split(u' ', Qt::SkipEmptyParts);
        out.last() = out.last().trimmed();
        if (out.last().isEmpty())
            out.removeLast();
    }
    return out;
}

QStringList Segmenter::wordsAndRuns(const QString &text)
{
    static const QRegularExpression sentenceEnds(QStringLiteral("[。！？!?\\n]+"));
    QStringList out;
    for (const QString &sentence : text.split(sentenceEnds, Qt::SkipEmptyParts)) {
        const QStringList w = words(sentence);
        const QString joined = w.join(QString());
        std::vector<qsizetype> ends; // where each word ends in `joined`
        for (const QString &word : w)
            ends.push_back((ends.empty() ? 0 : ends.back()) + word.size());
        qsizetype wordStart = 0;
        std::size_t next = 0; // the first word ending after `from`
        for (qsizetype from = 0; from < joined.size(); ++from) {
            for (; ends[next] <= from; ++next)
                wordStart = ends[next];
            if (beginsNoWord(joined[from]))
                continue;
            // Kana text is often split wrongly: a run from inside a word reaches its end only.
            const std::size_t runs = from == wordStart ? std::size_t(kLongestRun) : 1;
            for (std::size_t e = next; e < std::min(next + runs, ends.size()); ++e) {
                if (ends[e] - from >= kShortestEntry)
                    out << joined.sliced(from, ends[e] - from);
            }
        }
    }
    return out;
}
