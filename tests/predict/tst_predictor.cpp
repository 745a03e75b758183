// The predictor's ranking and learning, its file surviving damage and a full disk, and the
// session writing every change the window made.
#include "platform/TextFile.h"
#include "predict/BaseList.h"
#include "predict/KanaKey.h"
#include "predict/LearnedFile.h"
#include "predict/PredictSession.h"
#include "predict/Predictor.h"
#include "predict/Segmenter.h"

#include <QSaveFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace Qt::Literals::StringLiterals;

namespace {

// A disk that is full: nothing written reaches it.
struct FullDisk final : TextFile::Disk
{
    bool syncData(int) override { return false; }
};

// "text=cost" pairs, as the base list holds them.
WordList baseOf(const QStringList &pairs)
{
    std::vector<WordList::Word> words;
    for (const QString &p : pairs) {
        const QStringList f = p.split(u'=');
        words.push_back({KanaKey::fold(f[0]), f[0], BaseList::weightOf(f[1].toInt())});
    }
    WordList list;
    list.assign(std::move(words));
    return list;
}

QStringList texts(const QList<Predictor::Candidate> &candidates)
{
    QStringList out;
    for (const Predictor::Candidate &c : candidates)
        out << c.text;
    return out;
}

} // namespace

class tst_predictor : public QObject
{
    Q_OBJECT

  private slots:
    void ranks_data();
    void ranks();
    void takingReplacesTheTypedPartAndKeepsWhatFollows_data();
    void takingReplacesTheTypedPartAndKeepsWhatFollows();
    void learnsWordsAndRunsWithTheAnalyser();
    void damagedLinesAreSkippedAndTheFileKept();
    void aFullDiskLeavesTheOldFileWhole();
    void sessionWritesWhatTheWindowLearned();
};

void tst_predictor::ranks_data()
{
    QTest::addColumn<QStringList>("saved");
    QTest::addColumn<QStringList>("base");
    QTest::addColumn<QStringList>("learned"); // each used once, in order (later is newer)
    QTest::addColumn<QStringList>("passed");  // each passed over ten times
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("expected");

    const QStringList none;
    QTest::newRow("saved sentences first, in the list's order")
        << QStringList{u"みずをください"_s, u"みかんがすき"_s, u"あつい"_s}
        << QStringList{u"みなさん=20000"_s} << none << none << u"み_"_s
        << QStringList{u"みずをください"_s, u"みかんがすき"_s, u"みなさん"_s};
    QTest::newRow("only this sentence is matched")
        << QStringList{u"みずをください"_s} << none << none << none << u"あつい。み"_s
        << QStringList{u"みずをください"_s};
    QTest::newRow("commoner base word first")
        << none << QStringList{u"たべもの=30000"_s, u"たべる=20000"_s} << none << none << u"た"_s
        << QStringList{u"たべる"_s, u"たべもの"_s};
    QTest::newRow("learned before base")
        << none << QStringList{u"たべる=18000"_s} << QStringList{u"たべたい"_s} << none << u"た"_s
        << QStringList{u"たべたい"_s, u"たべる"_s};
    QTest::newRow("newer learned first")
        << none << none << QStringList{u"たべたい"_s, u"たべもの"_s} << none << u"た"_s
        << QStringList{u"たべもの"_s, u"たべたい"_s};
    QTest::newRow("a longer typed tail wins")
        << none << QStringList{u"ずっと=18000"_s, u"をのみたい=40000"_s} << none << none
        << u"みずを"_s << QStringList{u"をのみたい"_s};
    QTest::newRow("passed over sinks")
        << none << none << QStringList{u"たべもの"_s, u"たべたい"_s} << QStringList{u"たべたい"_s}
        << u"た"_s << QStringList{u"たべもの"_s, u"たべたい"_s};
    QTest::newRow("passed over sinks below one taken, though used more")
        << none << none << QStringList{u"たべたい"_s, u"たべたい"_s, u"たべもの"_s}
        << QStringList{u"たべたい"_s} << u"た"_s << QStringList{u"たべもの"_s, u"たべたい"_s};
    QTest::newRow("passed over sinks gently: used three times, it stays first")
        << none << none << QStringList{u"たべたい"_s, u"たべたい"_s, u"たべたい"_s, u"たべもの"_s}
        << QStringList{u"たべたい"_s} << u"た"_s << QStringList{u"たべたい"_s, u"たべもの"_s};
    QTest::newRow("katakana found by hiragana")
        << none << QStringList{u"トイレ=20000"_s} << QStringList{u"テレビ"_s} << none << u"て"_s
        << QStringList{u"テレビ"_s};
    QTest::newRow("katakana found by hiragana, base")
        << none << QStringList{u"トイレ=20000"_s} << none << none << u"と"_s
        << QStringList{u"トイレ"_s};
    QTest::newRow("nothing typed, nothing offered")
        << QStringList{u"あつい"_s} << QStringList{u"あつい=18000"_s} << none << none << u"_"_s
        << none;
    QTest::newRow("a word adding one character is not worth a place")
        << none << QStringList{u"たべる=18000"_s, u"たべもの=40000"_s} << none << none << u"たべ"_s
        << QStringList{u"たべもの"_s};
    QTest::newRow("the less a word adds, the likelier")
        << none << QStringList{u"たべものや=18000"_s, u"たべもの=18500"_s} << none << none
        << u"たべ"_s << QStringList{u"たべもの"_s, u"たべものや"_s};
}

void tst_predictor::ranks()
{
    QFETCH(QStringList, saved);
    QFETCH(QStringList, base);
    QFETCH(QStringList, learned);
    QFETCH(QStringList, passed);
    QFETCH(QString, text);
    QFETCH(QStringList, expected);

    Predictor p(saved, u"placeholder"_s);
    p.setBase(baseOf(base));
    for (const QString &word : learned)
        p.learned().use({word});
    for (int i = 0; i < 10; ++i) {
        for (const QString &word : passed)
            p.learned().pass(word);
    }
    const qsizetype caret = text.endsWith(u'_') ? text.size() - 1 : text.size();
    QCOMPARE(texts(p.candidates(text, caret)).mid(0, expected.size()), expected);
}

void tst_predictor::takingReplacesTheTypedPartAndKeepsWhatFollows_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("caret");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<int>("newCaret");

    QTest::newRow("at the end, before the marker") << u"おみ_"_s << 2 << u"おみずを_"_s << 4;
    QTest::newRow("caret in the middle") << u"みのむ_"_s << 1 << u"みずをのむ_"_s << 3;
    QTest::newRow("second sentence") << u"あつい。み_"_s << 5 << u"あつい。みずを_"_s << 7;
}

void tst_predictor::takingReplacesTheTypedPartAndKeepsWhatFollows()
{
    QFETCH(QString, text);
    QFETCH(int, caret);
    QFETCH(QString, expected);
    QFETCH(int, newCaret);

    const QStringList saved;
    Predictor p(saved, {});
    p.learned().use({u"みずを"_s});
    const QList<Predictor::Candidate> offered = p.candidates(text, caret);
    QVERIFY(!offered.isEmpty());
    QCOMPARE(offered.first().text, u"みずを"_s);
    qsizetype caretAfter = -1;
    QCOMPARE(Predictor::taking(text, caret, offered.first(), &caretAfter), expected);
    QCOMPARE(caretAfter, newCaret);
}

void tst_predictor::learnsWordsAndRunsWithTheAnalyser()
{
    Segmenter segmenter;
    QVERIFY2(segmenter.hasAnalyser(), "the MeCab dictionary is installed with the program");
    // The analyser splits "たいへん|おいしかっ|た" and "ち|ゅ|ー|とり|ある".
    const QStringList learned = segmenter.wordsAndRuns(
        u"みずをのみたい。あしたはあめ。たいへんおいしかった。ちゅーとりある"_s);
    for (const QString &expected : {u"みずを"_s, u"みずをのみ"_s, u"あした"_s, u"あしたはあめ"_s,
                                    u"いしかっ"_s, u"たいへんおいしかった"_s})
        QVERIFY2(learned.contains(expected), qPrintable(learned.join(u'|')));
    // Runs stay inside a sentence, and from inside a word reach its end only; nothing shorter
    // than three characters (never offered), nothing from a small kana or "ー".
    QVERIFY(!learned.contains(u"いしかった"_s));
    QVERIFY2(std::none_of(learned.begin(), learned.end(),
                          [](const QString &w) {
                              return w.size() < 3 || u"ゅー"_s.contains(w[0]) ||
                                     w.contains(u"たいあ"_s);
                          }),
             qPrintable(learned.join(u'|')));
}

void tst_predictor::damagedLinesAreSkippedAndTheFileKept()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"learned.txt"_s);
    const QStringList lines{u"みずを\t3\t7\t0"_s, u"broken"_s, u"たべたい\t1\tx\t0"_s,
                            u"あした\t2\t9\t1"_s};
    QVERIFY(TextFile::writeLines(path, lines));
    LearnedFile file(path);
    LearnedWords words;
    QVERIFY(file.load(words));
    QCOMPARE(words.size(), 2);
    QCOMPARE(words.skippedLines(), 2);
    QCOMPARE(words.step(), 9u);
    words.use({u"かえる"_s});
    QVERIFY(file.save(words.lines()));
    // The damaged original was copied aside before the first save replaced it.
    const QStringList copies = QDir(dir.path()).entryList({u"learned.txt.bak-*"_s});
    QCOMPARE(copies.size(), 1);
    QCOMPARE(TextFile::readLines(dir.filePath(copies.first())).lines, lines);
    LearnedWords again;
    QVERIFY(file.load(again));
    QCOMPARE(again.lines(), words.lines());
}

void tst_predictor::aFullDiskLeavesTheOldFileWhole()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"learned.txt"_s);
    LearnedWords words;
    words.use({u"みずを"_s, u"のみたい"_s});
    QVERIFY(LearnedFile(path).save(words.lines()));
    const QStringList before = TextFile::readLines(path).lines;
    FullDisk full;
    LearnedFile onFull(path, full);
    words.use({u"あした"_s});
    QVERIFY(!onFull.save(words.lines()));
    QCOMPARE(TextFile::readLines(path).lines, before);
    // Once there is room again, everything learned meanwhile is saved.
    QVERIFY(LearnedFile(path).save(words.lines()));
    LearnedWords again;
    QVERIFY(LearnedFile(path).load(again));
    QCOMPARE(again.size(), 3);
}

void tst_predictor::sessionWritesWhatTheWindowLearned()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"learned.txt"_s);
    QVERIFY(TextFile::writeLines(path, {u"みずを\t3\t7\t0"_s}));
    const QStringList saved;
    const auto candidate = [](const QString &text) {
        return Predictor::Candidate{text, 0, Predictor::Source::Base, 0};
    };
    QStringList learned;
    {
        PredictSession session(saved, {}, path, true);
        session.taken(candidate(u"たべたい"_s)); // before the file is read: counts on top of it
        session.start();
        QTRY_VERIFY(session.ready());
        session.taken(candidate(u"みずを"_s));
        session.passed({candidate(u"みずを"_s)}); // no write of its own: written at the end
        learned = session.predictor().learned().lines();
    }
    QCOMPARE(learned.size(), 2);
    QCOMPARE(TextFile::readLines(path).lines, learned);
    {
        PredictSession session(saved, {}, path, true);
        session.forget(); // before the file is read: what it holds goes too
        session.start();
        QTRY_VERIFY(session.ready());
        QVERIFY(session.predictor().learned().lines().isEmpty());
        QVERIFY(session.waitForSave());
    }
    QVERIFY(TextFile::readLines(path).lines.isEmpty());
}

QTEST_GUILESS_MAIN(tst_predictor)
#include "tst_predictor.moc"
