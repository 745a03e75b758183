// Counts the selections a greedy user needs to type sentences, with and without predictions.
//
// keystrokes PERSONAL TEST [BASE]: PERSONAL and TEST are UTF-8 files of kana sentences, one a
// line; BASE a base list ("text<TAB>cost" lines) in place of the built-in one, to compare lists.
// The predictions are the window's own (PredictSession, on a learned words' file of its own):
// PERSONAL is the saved sentences, and each of its sentences is learned as a text the user read
// aloud. Then every TEST sentence (new) and every PERSONAL sentence (repeated) is typed:
// - without predictions: a kana on the board is one selection, a form that needs the selection
//   screen (voiced, half-voiced, small) two;
// - with the strip: before each kana, when one of the five candidates makes the text a longer
//   beginning of the sentence, the user takes the one that covers most (one selection);
// - with the list over the board at key length 2: after each kana the saved sentences beginning
//   with the last two kana are listed; the user picks the sentence when it is the one meant
//   (a row and "決定": two selections) and otherwise closes the list with "決定" (one).
// The strip is counted twice. Learning as the program does: the candidates taken and passed
// over are told to the session as the strip tells it, and each sentence, once typed, is read
// aloud and learned as every text read with "読む" is. Learning nothing: learning is off once
// PERSONAL is learned, as when the user turns it off. The last line gives the first figure.
#include "boards/BoardTables.h"
#include "predict/BaseList.h"
#include "predict/LearnedFile.h"
#include "predict/PredictSession.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFile>
#include <QSet>
#include <QStringList>
#include <QTemporaryDir>

#include <cstdio>
#include <memory>
#include <utility>

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

// Types `sentence` with the strip, telling `session` what the strip tells it.
int stripCost(PredictSession &session, const QString &sentence)
{
    QString typed;
    int cost = 0;
    while (typed.size() < sentence.size()) {
        const QList<Predictor::Candidate> shown =
            session.predictor().candidates(typed, typed.size());
        qsizetype bestLength = typed.size();
        qsizetype best = -1;
        for (qsizetype i = 0; i < shown.size(); ++i) {
            const QString result = Predictor::taking(typed, typed.size(), shown[i], nullptr);
            if (result.size() > bestLength && sentence.startsWith(result)) {
                bestLength = result.size();
                best = i;
            }
        }
        if (best >= 0) {
            typed = Predictor::taking(typed, typed.size(), shown[best], nullptr);
            session.taken(shown[best]);
            cost += 1;
            continue;
        }
        const QChar next = sentence[typed.size()];
        typed += next;
        cost += kanaCost(next);
        session.passed(shown);
    }
    // Read aloud once typed.
    session.learnText(sentence);
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

// The predictions as the window keeps them, once PERSONAL is learned.
struct Session
{
    QTemporaryDir dir;
    std::unique_ptr<PredictSession> session;

    Session(const QStringList &personal, const QString &basePath)
    {
        session = std::make_unique<PredictSession>(
            personal, QString(), dir.filePath(QString::fromUtf16(LearnedFile::kName)), true);
        session->setBaseList(basePath);
        QEventLoop loop;
        QObject::connect(session.get(), &PredictSession::becameReady, &loop, &QEventLoop::quit);
        session->start();
        if (!session->ready())
            loop.exec();
        for (const QString &sentence : personal)
            session->learnText(sentence);
    }
};

// The strip's tallies for the new sentences, then the repeated ones.
std::pair<Tally, Tally> typeWithStrip(PredictSession &session, const QStringList &test,
                                      const QStringList &personal)
{
    std::pair<Tally, Tally> out;
    for (const QString &s : test) {
        out.first.plain += plainCost(s);
        out.first.with += stripCost(session, s);
    }
    for (const QString &s : personal) {
        out.second.plain += plainCost(s);
        out.second.with += stripCost(session, s);
    }
    return out;
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
    const QString basePath = argc == 4 ? QString::fromLocal8Bit(argv[3]) : BaseList::builtInPath();

    Session learning(personal, basePath);
    const auto [learnedNew, learnedRepeated] = typeWithStrip(*learning.session, test, personal);
    Session unlearning(personal, basePath);
    unlearning.session->setLearning(false);
    const auto [fixedNew, fixedRepeated] = typeWithStrip(*unlearning.session, test, personal);
    Tally listNew, listRepeated;
    for (const QString &s : test) {
        listNew.plain += plainCost(s);
        listNew.with += listCost(personal, s);
    }
    for (const QString &s : personal) {
        listRepeated.plain += plainCost(s);
        listRepeated.with += listCost(personal, s);
    }
    const char *asProgram = "strip, learning as the program does (what is taken, passed over and "
                            "read aloud)";
    const char *nothing = "strip, learning nothing from what is typed";
    print(asProgram, "new sentences", learnedNew);
    print(asProgram, "repeated sentences", learnedRepeated);
    print(nothing, "new sentences", fixedNew);
    print(nothing, "repeated sentences", fixedRepeated);
    print("list over the board, key length 2", "new sentences", listNew);
    print("list over the board, key length 2", "repeated sentences", listRepeated);
    std::printf("new sentences: %.0f %% saved, repeated sentences: %.0f %% saved, as specified: "
                "%.0f %% saved\n",
                learnedNew.saved(), learnedRepeated.saved(), listNew.saved());
    return 0;
}
