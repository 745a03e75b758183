// Counts the selections a greedy user needs to type sentences, with and without predictions.
//
// keystrokes PERSONAL TEST [BASE]: PERSONAL and TEST are UTF-8 files of kana sentences, one a
// line; BASE a base list ("text<TAB>cost" lines) in place of the built-in one, to compare lists.
// PERSONAL is learned as the saved sentences and as the user's own texts; then every TEST
// sentence (new) and every PERSONAL sentence (repeated) is typed:
// - without predictions: a kana on the board is one selection, a form that needs the selection
//   screen (voiced, half-voiced, small) two;
// - with the strip: before each kana, when one of the five candidates makes the text a longer
//   beginning of the sentence, the user takes the one that covers most (one selection);
// - with the list over the board at key length 2: after each kana the saved sentences beginning
//   with the last two kana are listed; the user picks the sentence when it is the one meant
//   (a row and "決定": two selections) and otherwise closes the list with "決定" (one).
#include "boards/BoardTables.h"
#include "predict/BaseList.h"
#include "predict/Predictor.h"
#include "predict/Segmenter.h"

#include <QCoreApplication>
#include <QFile>
#include <QSet>
#include <QStringList>
#include <QTextStream>

#include <cstdio>

namespace {

constexpr int kBoardGroups = 10; // the groups on the board; the rest need the selection screen
constexpr qsizetype kListKeyLength = 2;

QStringList readSentences(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    QStringList out;
    for (const QString &line : QString::fromUtf8(file.readAll()).split(u'\n')) {
        const QString sentence = line.trimmed();
        if (!sentence.isEmpty())
            out << sentence;
    }
    return out;
}

int kanaCost(QChar c)
{
    static const QSet<QChar> onBoard = [] {
        QSet<QChar> set;
        for (int g = 0; g < kBoardGroups; ++g)
            for (const char16_t *cell : BoardTables::kHiragana[std::size_t(g)])
                if (cell && cell[0])
                    set.insert(QChar(cell[0]));
        return set;
    }();
    return onBoard.contains(c) ? 1 : 2;
}

int plainCost(const QString &sentence)
{
    int cost = 0;
    for (const QChar c : sentence)
        cost += kanaCost(c);
    return cost;
}

int stripCost(const Predictor &predictor, const QString &sentence)
{
    QString typed;
    int cost = 0;
    while (typed.size() < sentence.size()) {
        qsizetype bestLength = typed.size();
        QString best;
        for (const Predictor::Candidate &c : predictor.candidates(typed, typed.size())) {
            const QString result = Predictor::taking(typed, typed.size(), c, nullptr);
            if (result.size() > bestLength && sentence.startsWith(result)) {
                bestLength = result.size();
                best = result;
            }
        }
        if (!best.isEmpty()) {
            typed = best;
            cost += 1;
            continue;
        }
        const QChar next = sentence[typed.size()];
        typed += next;
        cost += kanaCost(next);
    }
    return cost;
}

int listCost(const QStringList &saved, const QString &sentence)
{
    QString typed;
    int cost = 0;
    while (typed.size() < sentence.size()) {
        const QChar next = sentence[typed.size()];
        typed += next;
        cost += kanaCost(next);
        if (typed.size() >= sentence.size())
            break;
        const QString key = typed.right(kListKeyLength);
        bool listed = false;
        bool meant = false;
        for (const QString &s : saved) {
            if (s.first(std::min(kListKeyLength, s.size())) != key)
                continue;
            listed = true;
            const QString result = typed.chopped(key.size()) + s;
            meant = meant || (result.size() > typed.size() && sentence.startsWith(result));
        }
        if (meant) {
            // The pick replaces the key with the sentence; only its start can be meant.
            for (const QString &s : saved) {
                const QString result = typed.chopped(key.size()) + s;
                if (s.startsWith(key) && sentence.startsWith(result) &&
                    result.size() > typed.size())
                    typed = result;
            }
            cost += 2;
        } else if (listed) {
            cost += 1;
        }
    }
    return cost;
}

struct Tally
{
    qint64 plain = 0;
    qint64 with = 0;
    double saved() const { return plain ? 100.0 * double(plain - with) / double(plain) : 0.0; }
};

void print(const char *mode, const char *set, const Tally &t)
{
    std::printf("%s, %s: %lld selections without predictions, %lld with: %.1f %% saved\n", mode,
                set, static_cast<long long>(t.plain), static_cast<long long>(t.with), t.saved());
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 3 && argc != 4) {
        std::fprintf(stderr, "usage: keystrokes PERSONAL TEST [BASE]\n");
        return 2;
    }
    const QStringList personal = readSentences(QString::fromLocal8Bit(argv[1]));
    const QStringList test = readSentences(QString::fromLocal8Bit(argv[2]));
    if (personal.isEmpty() || test.isEmpty()) {
        std::fprintf(stderr, "keystrokes: both files must hold sentences, one a line\n");
        return 2;
    }
    Predictor predictor(personal, {});
    predictor.setBase(
        BaseList::load(argc == 4 ? QString::fromLocal8Bit(argv[3]) : BaseList::builtInPath()));
    Segmenter segmenter;
    for (const QString &sentence : personal)
        predictor.learned().use(segmenter.wordsAndRuns(sentence));

    Tally stripNew, stripRepeated, listNew, listRepeated;
    for (const QString &s : test) {
        stripNew.plain += plainCost(s);
        stripNew.with += stripCost(predictor, s);
        listNew.plain += plainCost(s);
        listNew.with += listCost(personal, s);
    }
    for (const QString &s : personal) {
        stripRepeated.plain += plainCost(s);
        stripRepeated.with += stripCost(predictor, s);
        listRepeated.plain += plainCost(s);
        listRepeated.with += listCost(personal, s);
    }
    print("strip", "new sentences", stripNew);
    print("strip", "repeated sentences", stripRepeated);
    print("list over the board, key length 2", "new sentences", listNew);
    print("list over the board, key length 2", "repeated sentences", listRepeated);
    std::printf("new sentences: %.0f %% saved, repeated sentences: %.0f %% saved, as specified: "
                "%.0f %% saved\n",
                stripNew.saved(), stripRepeated.saved(), listNew.saved());
    return 0;
}
