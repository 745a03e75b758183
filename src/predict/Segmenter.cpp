#include "predict/Segmenter.h"

#include <QFileInfo>
#include <QRegularExpression>

#include <mecab.h>

namespace {

// Debian's MeCab dictionaries, the one chosen for the system first.
constexpr const char *kDictionaries[] = {
    "/var/lib/mecab/dic/debian", "/var/lib/mecab/dic/ipadic-utf8", "/var/lib/mecab/dic/naist-jdic"};

constexpr qsizetype kShortestWord = 2;
constexpr qsizetype kLongestRun = 3;

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
        for (qsizetype i = 0; i < w.size(); ++i) {
            QString run;
            for (qsizetype n = 0; n < kLongestRun && i + n < w.size(); ++n) {
                run += w[i + n];
                if (run.size() >= kShortestWord)
                    out << run;
            }
        }
    }
    return out;
}
