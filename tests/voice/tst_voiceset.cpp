#include "FileBytes.h"
#include "boards/BoardTables.h"
#include "boards/ConvertChar.h"
#include "record/VoiceReadings.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSet>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

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

class tst_voiceset : public QObject
{
    Q_OBJECT

  private slots:
    void tableListsEveryBoardText();
    void keepsRecordingsThroughTableChanges();
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
        for (const QChar c : reading) {
            const bool kana = (c >= u'\u3041' && c <= u'\u3096') ||
                              (c >= u'\u30A1' && c <= u'\u30FC') || c == u' ';
            QVERIFY2(kana, qPrintable(text + u" is read as "_s + reading));
        }
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

QTEST_GUILESS_MAIN(tst_voiceset)
#include "tst_voiceset.moc"
