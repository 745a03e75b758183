#include "boards/BoardTables.h"
#include "boards/ConvertChar.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSaveFile>
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
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && file.size() > 44 && file.read(4) == "RIFF";
}

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeFile(const QString &path, const QByteArray &data)
{
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(data) == data.size() && file.commit();
}

struct Run
{
    int exitCode = -1;
    QString output;
};

// Runs the generator on a program folder of its own with the given table lines.
class ScratchVoices
{
  public:
    QString folder() const { return m_dir.filePath(u"program"_s); }
    // Joined by hand: QDir::filePath() would take ":.wav" for a resource path.
    QString voice(const QString &text) const { return folder() + u'/' + text + u".wav"_s; }

    Run run(const QStringList &table, const QString &path = QString())
    {
        const QString tablePath = m_dir.filePath(u"readings.tsv"_s);
        if (!writeFile(tablePath, table.join(u'\n').toUtf8() + '\n'))
            return {};
        QProcess process;
        if (!path.isNull()) {
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert(u"PATH"_s, path);
            process.setProcessEnvironment(env);
        }
        process.setProcessChannelMode(QProcess::MergedChannels);
        process.start(QStandardPaths::findExecutable(u"bash"_s),
                      {QStringLiteral(TALK_VOICE_SCRIPT), tablePath, folder()});
        if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
            return {};
        return {process.exitCode(), QString::fromUtf8(process.readAll()).trimmed()};
    }

    QStringList manifestTexts() const
    {
        QStringList texts;
        const QStringList lines =
            QString::fromUtf8(contents(folder() + u"/.generated-voices"_s)).split(u'\n');
        for (const QString &line : lines)
            if (!line.isEmpty() && !line.startsWith(u'#'))
                texts.append(line.section(u'\t', 0, 0));
        return texts;
    }

  private:
    QTemporaryDir m_dir;
};

bool haveEspeak()
{
    return !QStandardPaths::findExecutable(u"espeak-ng"_s).isEmpty();
}

} // namespace

class tst_voiceset : public QObject
{
    Q_OBJECT

  private slots:
    void tableListsEveryBoardText();
    void programFolderHasEveryVoice();
    void keepsRecordingsThroughTableChanges();
    void withoutEspeakSucceedsSilently();
};

void tst_voiceset::tableListsEveryBoardText()
{
    const QStringList lines =
        QString::fromUtf8(contents(QStringLiteral(TALK_VOICE_TABLE))).split(u'\n');
    QSet<QString> texts;
    for (const QString &line : lines) {
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        const QString text = line.section(u'\t', 0, 0);
        const QString reading = line.section(u'\t', 1).isEmpty() ? text : line.section(u'\t', 1);
        QVERIFY2(!texts.contains(text), qPrintable(u"listed twice: "_s + text));
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

void tst_voiceset::programFolderHasEveryVoice()
{
    const QString program = QStringLiteral(TALK_BUILT_PROGRAM_DIR);
    if (!haveEspeak() || !QFile::exists(program + u"/.generated-voices"_s))
        QSKIP("no voices generated: espeak-ng is missing or target talk_voices was not built");
    for (const QString &text : voicedTexts())
        QVERIFY2(isWave(program + u'/' + text + u".wav"_s), qPrintable(text));
}

void tst_voiceset::keepsRecordingsThroughTableChanges()
{
    if (!haveEspeak())
        QSKIP("espeak-ng is not installed");
    ScratchVoices voices;
    const QByteArray recording = "user recording";
    QVERIFY(QDir().mkpath(voices.folder()));
    QVERIFY(writeFile(voices.voice(u"A"_s), recording));

    // Missing voices are written; a recording already there is kept; "/" is no file name.
    QCOMPARE(voices
                 .run({u"# comment"_s, u"あ"_s, u"A\tえー"_s, u"/\tすらっしゅ"_s,
                       u"(^_^)\tにこにこ"_s, u"い"_s, u"?\tはてな"_s})
                 .exitCode,
             0);
    for (const QString &text : {u"あ"_s, u"(^_^)"_s, u"い"_s, u"?"_s})
        QVERIFY2(isWave(voices.voice(text)), qPrintable(text));
    QCOMPARE(contents(voices.voice(u"A"_s)), recording);
    QCOMPARE(QDir(voices.folder()).entryList(QDir::Files).size(), 5);
    QCOMPARE(voices.manifestTexts(), (QStringList{u"あ"_s, u"(^_^)"_s, u"い"_s, u"?"_s}));

    // A changed reading is spoken again, unless the voice was replaced by a recording; a text
    // that left the table loses its generated voice, never a recording.
    QVERIFY(writeFile(voices.voice(u"?"_s), recording));
    const QByteArray before = contents(voices.voice(u"あ"_s));
    const QDateTime smileWritten = QFileInfo(voices.voice(u"(^_^)"_s)).lastModified();
    const QStringList table{u"あ\tおわり"_s, u"(^_^)\tにこにこ"_s, u"?\tしつもん"_s};
    QCOMPARE(voices.run(table).exitCode, 0);
    QVERIFY(isWave(voices.voice(u"あ"_s)));
    QVERIFY(contents(voices.voice(u"あ"_s)) != before);
    QCOMPARE(QFileInfo(voices.voice(u"(^_^)"_s)).lastModified(), smileWritten);
    QCOMPARE(contents(voices.voice(u"?"_s)), recording);
    QCOMPARE(contents(voices.voice(u"A"_s)), recording);
    QVERIFY(!QFile::exists(voices.voice(u"い"_s)));
    QCOMPARE(voices.manifestTexts(), (QStringList{u"あ"_s, u"(^_^)"_s}));

    // The same table again: nothing to do, nothing said.
    QCOMPARE(voices.run(table).output, QString());
}

void tst_voiceset::withoutEspeakSucceedsSilently()
{
    ScratchVoices voices;
    const QTemporaryDir emptyPath;
    const Run run = voices.run({u"あ"_s}, emptyPath.path());
    QCOMPARE(run.exitCode, 0);
    QVERIFY2(run.output.startsWith(u"espeak-ng not found"_s), qPrintable(run.output));
    QVERIFY(!run.output.contains(u'\n'));
    QVERIFY(!QFile::exists(voices.voice(u"あ"_s)));
}

QTEST_GUILESS_MAIN(tst_voiceset)
#include "tst_voiceset.moc"
