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

// Every text a board cell or the selection screen can show, written out from the board and
// conversion tables independently of the code that builds the boards.
QSet<QString> boardTexts()
{
    const QString chars =
        u"あいうえおかきくけこさしすせそたちつてとなにぬねのはひふへほまみむめもやゆよー？"
        u"らりるれろわをん。、がぎぐげござじずぜぞだぢづでどばびぶべぼぱぴぷぺぽ"
        u"アイウエオカキクケコサシスセソタチツテトナニヌネノハヒフヘホマミムメモヤユヨ"
        u"ラリルレロワヲンガギグゲゴザジズゼゾダヂヅデドバビブベボパピプペポ"
        u"ぁぃぅぇぉっゃゅょァィゥェォッャュョ1234567890"
        u"QWERTYUIOPASDFGHJKLZXCVBNMqwertyuiopasdfghjklzxcvbnm"_s;
    QSet<QString> texts;
    for (const QChar c : chars)
        texts.insert(QString(c));
    for (const QString &mark :
         {u";"_s, u"/"_s, u","_s, u"."_s, u":"_s, u"%"_s, u"+"_s, u"-"_s, u"?"_s, u"@"_s, u"。"_s,
          u"!"_s, u"(^_^)"_s, u"(T_T)"_s, u"\u3000"_s, u"_"_s})
        texts.insert(mark);
    return texts;
}

// Texts that have a voice file: all but "/", which cannot be a file name.
QSet<QString> voicedTexts()
{
    QSet<QString> texts = boardTexts();
    texts.remove(u"/"_s);
    return texts;
}

bool haveEspeak()
{
    return !QStandardPaths::findExecutable(u"espeak-ng"_s).isEmpty();
}

bool isWave(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() <= 44)
        return false;
    const QByteArray header = file.read(12);
    return header.startsWith("RIFF") && header.endsWith("WAVE");
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

// The table texts, in order, with the reading each is spoken by.
QList<std::pair<QString, QString>> tableEntries(const QString &path)
{
    QList<std::pair<QString, QString>> entries;
    const QStringList lines = QString::fromUtf8(contents(path)).split(u'\n');
    for (const QString &line : lines) {
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        const QStringList fields = line.split(u'\t');
        entries.append({fields[0], fields.value(1, fields[0])});
    }
    return entries;
}

struct Run
{
    int exitCode = -1;
    QString output;
};

// Runs the generator on a folder of its own with the given table lines.
class ScratchVoices
{
  public:
    QString folder() const { return m_dir.filePath(u"program"_s); }
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
        for (const QString &line : lines) {
            if (!line.isEmpty() && !line.startsWith(u'#'))
                texts.append(line.section(u'\t', 0, 0));
        }
        return texts;
    }

  private:
    QTemporaryDir m_dir;
};

} // namespace

class tst_voiceset : public QObject
{
    Q_OBJECT

  private slots:
    void tableListsEveryBoardText();
    void programFolderHasEveryVoice();
    void writesMissingVoicesOnly();
    void keepsReplacedVoiceWhenReadingChanges();
    void changedReadingIsSpokenAgain();
    void unchangedTableWritesNothing();
    void droppedTextLosesGeneratedVoiceOnly();
    void withoutEspeakSucceedsSilently();
};

void tst_voiceset::tableListsEveryBoardText()
{
    const auto entries = tableEntries(QStringLiteral(TALK_VOICE_TABLE));
    QSet<QString> texts;
    for (const auto &[text, reading] : entries) {
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
    if (!haveEspeak())
        QSKIP("espeak-ng is not installed, so no voices are generated");
    const QString program = QStringLiteral(TALK_BUILT_PROGRAM_DIR);
    if (!QFile::exists(program + u"/.generated-voices"_s))
        QSKIP("the voices have not been generated yet (target talk_voices)");
    // Joined by hand: QDir::filePath() would take ":.wav" for a resource path.
    for (const QString &text : voicedTexts())
        QVERIFY2(isWave(program + u'/' + text + u".wav"_s), qPrintable(text));
}

void tst_voiceset::writesMissingVoicesOnly()
{
    if (!haveEspeak())
        QSKIP("espeak-ng is not installed");
    ScratchVoices voices;
    QVERIFY(QDir().mkpath(voices.folder()));
    QVERIFY(writeFile(voices.voice(u"A"_s), "user recording"));

    const Run run = voices.run({u"# comment"_s, u"あ"_s, u"A\tえー"_s, u"/\tすらっしゅ"_s,
                                u"(^_^)\tにこにこ"_s, u"\u3000\tすぺーす"_s});
    QCOMPARE(run.exitCode, 0);
    QVERIFY(isWave(voices.voice(u"あ"_s)));
    QVERIFY(isWave(voices.voice(u"(^_^)"_s)));
    QVERIFY(isWave(voices.voice(u"\u3000"_s)));
    QCOMPARE(contents(voices.voice(u"A"_s)), QByteArray("user recording"));
    QCOMPARE(QDir(voices.folder()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).size(), 4);
    QCOMPARE(voices.manifestTexts(), (QStringList{u"あ"_s, u"(^_^)"_s, u"\u3000"_s}));
}

void tst_voiceset::keepsReplacedVoiceWhenReadingChanges()
{
    if (!haveEspeak())
        QSKIP("espeak-ng is not installed");
    ScratchVoices voices;
    QCOMPARE(voices.run({u"?\tはてな"_s}).exitCode, 0);
    QVERIFY(writeFile(voices.voice(u"?"_s), "user recording"));

    QCOMPARE(voices.run({u"?\tしつもん"_s}).exitCode, 0);
    QCOMPARE(contents(voices.voice(u"?"_s)), QByteArray("user recording"));
    QVERIFY(voices.manifestTexts().isEmpty());
}

void tst_voiceset::changedReadingIsSpokenAgain()
{
    if (!haveEspeak())
        QSKIP("espeak-ng is not installed");
    ScratchVoices voices;
    QCOMPARE(voices.run({u"_\tおわり"_s, u"い"_s}).exitCode, 0);
    const QByteArray before = contents(voices.voice(u"_"_s));
    QVERIFY(QFile::remove(voices.voice(u"い"_s)));

    QCOMPARE(voices.run({u"_\tしゅうりょう"_s, u"い"_s}).exitCode, 0);
    QVERIFY(isWave(voices.voice(u"_"_s)));
    QVERIFY(contents(voices.voice(u"_"_s)) != before);
    QVERIFY(isWave(voices.voice(u"い"_s)));
}

void tst_voiceset::unchangedTableWritesNothing()
{
    if (!haveEspeak())
        QSKIP("espeak-ng is not installed");
    ScratchVoices voices;
    const QStringList table{u"う"_s, u"%\tぱーせんと"_s};
    QCOMPARE(voices.run(table).exitCode, 0);
    const QDateTime written = QFileInfo(voices.voice(u"%"_s)).lastModified();

    const Run again = voices.run(table);
    QCOMPARE(again.exitCode, 0);
    QCOMPARE(again.output, QString());
    QCOMPARE(QFileInfo(voices.voice(u"%"_s)).lastModified(), written);
    QCOMPARE(voices.manifestTexts(), (QStringList{u"う"_s, u"%"_s}));
}

void tst_voiceset::droppedTextLosesGeneratedVoiceOnly()
{
    if (!haveEspeak())
        QSKIP("espeak-ng is not installed");
    ScratchVoices voices;
    QVERIFY(QDir().mkpath(voices.folder()));
    QVERIFY(writeFile(voices.voice(u"B"_s), "user recording"));
    QCOMPARE(voices.run({u"え"_s, u"お"_s, u"B\tびー"_s}).exitCode, 0);

    QCOMPARE(voices.run({u"お"_s}).exitCode, 0);
    QVERIFY(!QFile::exists(voices.voice(u"え"_s)));
    QVERIFY(isWave(voices.voice(u"お"_s)));
    QCOMPARE(contents(voices.voice(u"B"_s)), QByteArray("user recording"));
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
