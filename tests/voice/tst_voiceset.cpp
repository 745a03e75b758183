#include "FileBytes.h"
#include "boards/BoardTables.h"
#include "boards/ConvertChar.h"
#include "voice/EngineTrace.h"
#include "voice/SpeechOnset.h"
#include "voice/SpeechScript.h"
#include "voice/VoiceReadings.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;
using Mora = EngineTrace::Mora;

namespace {

// Every text a board cell or the selection screen can show, but "/": it cannot be a file name.
QSet<QString> voicedTexts()
{
    QSet<QString> texts{u"_"_s, u"\u3000"_s}; // the end marker and the empty cell
    const auto add = [&](const auto &rows) {
        for (const auto &row : rows)
            for (const char16_t *cell : row) {
                const QString text = QString::fromUtf16(cell);
                const CharForms forms = charForms(text);
                for (const QString &t : {text, forms.left, forms.right})
                    if (!t.isEmpty() && t != u"/"_s)
                        texts.insert(t);
            }
    };
    add(BoardTables::kHiragana);
    add(BoardTables::kKatakana);
    add(BoardTables::kAlphanumeric);
    return texts;
}

bool isWave(const QString &path)
{
    const QByteArray bytes = FileBytes::read(path);
    return bytes.size() > 44 && bytes.startsWith("RIFF");
}

// Runs the generator on the folder "program" in `dir` with the given table lines;
// returns its exit code, -1 when it did not finish.
int generate(const QTemporaryDir &dir, const QStringList &table)
{
    const QString tablePath = dir.filePath(u"readings.tsv"_s);
    if (!FileBytes::write(tablePath, table.join(u'\n').toUtf8() + '\n'))
        return -1;
    QProcess process;
    process.start(QStandardPaths::findExecutable(u"bash"_s),
                  {QStringLiteral(TALK_VOICE_SCRIPT), tablePath, dir.filePath(u"program"_s)});
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
        return -1;
    return process.exitCode();
}

} // namespace

// What is said for a text: the character voices made for every board text, and what the
// sentence engine is given and how its trace is traced back to the text.
class tst_voiceset : public QObject
{
    Q_OBJECT

  private slots:
    void tableListsEveryBoardText();
    void keepsRecordingsThroughTableChanges();
    void parts_data();
    void parts();
    void sourcesOfReadings();
    void moraeFromTrace();
    void onsetOfSpeech_data();
    void onsetOfSpeech();
};

void tst_voiceset::tableListsEveryBoardText()
{
    const QStringList lines =
        QString::fromUtf8(FileBytes::read(QStringLiteral(TALK_VOICE_TABLE))).split(u'\n');
    QSet<QString> texts;
    for (const QString &line : lines) {
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        const QString text = line.section(u'\t', 0, 0);
        const QString reading = line.section(u'\t', 1).isEmpty() ? text : line.section(u'\t', 1);
        QVERIFY2(!texts.contains(text), qPrintable(u"listed twice: "_s + text));
        // A button's spoken name is heard only while scanning: it is no board text.
        if (!VoiceReadings::isCue(text))
            texts.insert(text);
        // espeak-ng's Japanese voice reads kana only; anything else comes out in English.
        static const QRegularExpression kKana(u"^[\u3041-\u3096\u30A1-\u30FC ]*$"_s);
        QVERIFY2(kKana.match(reading).hasMatch(), qPrintable(text + u" is read as "_s + reading));
    }
    QCOMPARE(texts, voicedTexts());
}

void tst_voiceset::keepsRecordingsThroughTableChanges()
{
    if (QStandardPaths::findExecutable(u"espeak-ng"_s).isEmpty())
        QSKIP("espeak-ng is not installed");
    const QTemporaryDir dir;
    // Joined by hand: QDir::filePath() would take ":.wav" for a resource path.
    const auto voice = [&](const QString &text) -> QString {
        return dir.path() + u"/program/"_s + text + u".wav"_s;
    };
    const QByteArray recording = "user recording";
    QVERIFY(FileBytes::write(voice(u"A"_s), recording));

    // Missing voices are written; a recording already there is kept; "/" is no file name.
    QCOMPARE(generate(dir, {u"# comment"_s, u"あ"_s, u"A\tえー"_s, u"/\tすらっしゅ"_s,
                            u"(^_^)\tにこにこ"_s, u"い"_s, u"?\tはてな"_s}),
             0);
    for (const QString &text : {u"あ"_s, u"(^_^)"_s, u"い"_s, u"?"_s})
        QVERIFY2(isWave(voice(text)), qPrintable(text));
    QCOMPARE(FileBytes::read(voice(u"A"_s)), recording);
    QCOMPARE(QDir(dir.filePath(u"program"_s)).entryList(QDir::Files).size(), 5);

    // A changed reading is spoken again, unless the voice was replaced by a recording; a text
    // that left the table loses its generated voice.
    QVERIFY(FileBytes::write(voice(u"?"_s), recording));
    const QByteArray before = FileBytes::read(voice(u"あ"_s));
    QCOMPARE(generate(dir, {u"あ\tおわり"_s, u"(^_^)\tにこにこ"_s, u"?\tしつもん"_s}), 0);
    for (const QString &text : {u"あ"_s, u"(^_^)"_s})
        QVERIFY2(isWave(voice(text)), qPrintable(text));
    QVERIFY(FileBytes::read(voice(u"あ"_s)) != before);
    QCOMPARE(FileBytes::read(voice(u"?"_s)), recording);
    QCOMPARE(FileBytes::read(voice(u"A"_s)), recording);
    QVERIFY(!QFile::exists(voice(u"い"_s)));
}

void tst_voiceset::parts_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("spoken"); // one entry a part

    QTest::newRow("particles as written")
        << u"きょうはいいてんきですね"_s << QStringList{u"きょうはいいてんきですね"_s};
    QTest::newRow("end marker not said") << u"あい_"_s << QStringList{u"あい"_s};
    QTest::newRow("end marker alone: nothing") << u"_"_s << QStringList{};
    QTest::newRow("control characters not said, the rest is")
        << u"あ\0い\x1bう\x7f\x01え"_s << QStringList{u"あいうえ"_s};
    QTest::newRow("。？！ and line ends end a part")
        << u"はい。いいえ？\nまた!"_s << QStringList{u"はい。"_s, u"いいえ？"_s, u"また！"_s};
    QTest::newRow("emoticons by their readings")
        << u"ありがとう(^_^)(T_T)"_s << QStringList{u"ありがとうにこにこえーん"_s};
    QTest::newRow("letters by their readings, either case and width")
        << u"OKとｏｋ"_s << QStringList{u"おーけーとおーけー"_s};
    QTest::newRow("marks by their readings") << u"1+1@"_s << QStringList{u"1ぷらす1あっと"_s};
    QTest::newRow("small kana, っ and ー within words")
        << u"ちょっとコーヒー"_s << QStringList{u"ちょっとコーヒー"_s};
    QTest::newRow("a lone ー or small kana by its reading")
        << u"ー ゃ"_s << QStringList{u"のばす、ちいさい や"_s};
    QTest::newRow("a lone mark by its reading") << u"？"_s << QStringList{u"はてな"_s};
    QTest::newRow("digits and a decimal point as written")
        << u"2.5と3,000"_s << QStringList{u"2.5と3,000"_s};
    QTest::newRow("spaces: one short pause")
        << u"あさ　ひる  よる"_s << QStringList{u"あさ、ひる、よる"_s};
    QTest::newRow("a long first run cut at 、")
        << u"あいうえおかきくけこ、さしすせそたちつてとなにぬねの"_s
        << QStringList{u"あいうえおかきくけこ、"_s, u"さしすせそたちつてとなにぬねの"_s};
    QTest::newRow("a long first run cut after a particle")
        << u"わたしはきのうともだちとこうえんにいきました"_s
        << QStringList{u"わたしはきのうともだちと"_s, u"こうえんにいきました"_s};
    QTest::newRow("later runs up to 60 characters")
        << u"はい。"_s + QString(70, u'あ')
        << QStringList{u"はい。"_s, QString(60, u'あ'), QString(10, u'あ')};
}

void tst_voiceset::parts()
{
    QFETCH(QString, text);
    QStringList spoken;
    for (const SpeechScript::Part &part : SpeechScript::parts(text, VoiceReadings::builtIn()))
        spoken.append(part.spoken);
    QTEST(spoken, "spoken");
}

void tst_voiceset::sourcesOfReadings()
{
    // A reading stands for the whole mark; the second part starts after the first one's end.
    const QList<SpeechScript::Part> parts =
        SpeechScript::parts(u"あ。_(^_^)い"_s, VoiceReadings::builtIn());
    QCOMPARE(parts.size(), 2);
    QCOMPARE(parts[1].textStart, 2);
    using S = SpeechScript::Source;
    QCOMPARE(parts[1].sources, (QList<S>{{3, 5}, {3, 5}, {3, 5}, {3, 5}, {8, 1}}));
}

void tst_voiceset::moraeFromTrace()
{
    // The engine's trace of "きょうは12", its labels shortened to the fields that are read.
    const QString trace = uR"([Text analysis result]
きょう,名詞,副詞可能,*,*,*,*,きょう,キョウ,キョー,1/2,C3,-1
は,助詞,係助詞,*,*,*,*,は,ハ,ワ,0/1,名詞%F1/動詞%F2@0/形容詞%F2@0,1
十,名詞,数,*,*,*,*,十,ジュウ,ジュー,0/2,*,0
二,名詞,数,*,*,*,*,二,ニ,ニ,1/1,C3,0

[Output label]
0 3100000 xx^xx-sil+ky=o/A:xx+xx+xx/B:/F:xx_xx#xx_xx@xx_xx|xx_xx/G:
3100000 4300000 xx^sil-ky+o=o/A:0+1+3/B:/F:3_1#0_xx@1_3|1_6/G:
4300000 4950000 sil^ky-o+o=w/A:0+1+3/B:/F:3_1#0_xx@1_3|1_6/G:
4950000 5800000 ky^o-o+w=a/A:1+2+2/B:/F:3_1#0_xx@1_3|1_6/G:
5800000 6650000 o^o-w+a=j/A:2+3+1/B:/F:3_1#0_xx@1_3|1_6/G:
6650000 7150000 o^w-a+j=u/A:2+3+1/B:/F:3_1#0_xx@1_3|1_6/G:
7150000 8150000 w^a-j+u=u/A:-1+1+2/B:/F:2_2#0_xx@2_2|4_3/G:
8150000 8850000 a^j-u+u=n/A:-1+1+2/B:/F:2_2#0_xx@2_2|4_3/G:
8850000 9400000 j^u-u+n=i/A:0+2+1/B:/F:2_2#0_xx@2_2|4_3/G:
9400000 10000000 u^u-n+i=sil/A:0+1+1/B:/F:1_1#0_xx@3_1|6_1/G:
10000000 11100000 u^n-i+sil=xx/A:0+1+1/B:/F:1_1#0_xx@3_1|6_1/G:
11100000 16350000 n^i-sil+xx=xx/A:xx+xx+xx/B:/F:xx_xx#xx_xx@xx_xx|xx_xx/G:

[Global parameter]
)"_s;
    const EngineTrace read = EngineTrace::read(trace, u"きょうは12"_s);
    QCOMPARE(read.speechStartMs, 310);
    QCOMPARE(read.speechEndMs, 1110);
    // The k of きょ opens with a closure, an h would not.
    QCOMPARE(read.closureEndMs, 430);
    QCOMPARE(EngineTrace::read(QString(trace).replace(u"sil-ky+"_s, u"sil-h+"_s), u"はい"_s)
                 .closureEndMs,
             -1);
    // きょ is one mora; は said "wa" is still は; the number the engine spells out (十二) shares
    // the digits it was read from.
    QCOMPARE(read.morae,
             (QList<Mora>{
                 {310, 0, 2}, {495, 2, 1}, {580, 3, 1}, {715, 4, 1}, {885, 4, 1}, {940, 5, 1}}));
    // A damaged count in the analysis is not believed (nor made room for): the labels' morae
    // are spread over the input.
    const QString damaged = QString(trace).replace(u"ワ,0/1,"_s, u"ワ,1/2000000000,"_s);
    QCOMPARE(EngineTrace::read(damaged, u"きょうは12"_s).morae,
             (QList<Mora>{
                 {310, 0, 1}, {495, 1, 1}, {580, 2, 1}, {715, 3, 1}, {885, 4, 1}, {940, 5, 1}}));
}

void tst_voiceset::onsetOfSpeech_data()
{
    // A part's first 600 ms at 48 kHz: "ms:level" stretches, the level a square wave's height.
    // The trace puts speech at 300 ms (from 290, with its lead); the stop's phoneme ends at 450.
    QTest::addColumn<QString>("stretches");
    QTest::addColumn<int>("fromMs");
    QTest::newRow("a stop's closure noise is not played") << u"300:0 80:150 220:9000"_s << 370;
    QTest::newRow("a quiet start above the closure's level is kept")
        << u"300:0 50:400 250:9000"_s << 290;
    QTest::newRow("a stop quiet throughout is kept whole") << u"300:0 150:150 150:9000"_s << 290;
    QTest::newRow("a quiet voice: within 30 dB of its own peak")
        << u"300:0 80:150 220:1500"_s << 290;
}

void tst_voiceset::onsetOfSpeech()
{
    QFETCH(QString, stretches);
    PcmClip clip{48000, 1, {}};
    for (const QString &stretch : stretches.split(u' ')) {
        const auto level = qint16(stretch.section(u':', 1).toInt());
        for (int i = 0; i < stretch.section(u':', 0, 0).toInt() * 48; ++i) {
            const qint16 sample = i % 2 ? level : qint16(-level);
            clip.samples.append(reinterpret_cast<const char *>(&sample), sizeof sample);
        }
    }
    QTEST(int(SpeechOnset::audibleFromMs(clip, 290, 450)), "fromMs");
}

QTEST_GUILESS_MAIN(tst_voiceset)
#include "tst_voiceset.moc"
