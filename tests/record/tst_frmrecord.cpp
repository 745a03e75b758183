#include "RecordFakes.h"
#include "record/RecordTexts.h"
#include "record/VoiceReadings.h"
#include "record/VoiceStore.h"
#include "record/WavFile.h"
#include "record/frmRecord.h"

#include <QCheckBox>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString kHeader = u"# espeak-ng -v ja -s 200"_s;

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QString manifestLine(const QString &text, const QByteArray &bytes)
{
    return text + u"\t\t"_s +
           QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Md5).toHex());
}

// A program folder whose every voice was generated (and listed) as distinct bytes.
struct Folder
{
    Folder()
    {
        QStringList manifest{kHeader};
        for (const QString &text : readings.texts()) {
            const QByteArray bytes =
                WavFile::bytes(Synth::tone(50, 300.0, -6.0, 22050), 22050) + text.toUtf8();
            writeFile(path(text), bytes);
            generated.insert(text, bytes);
            manifest.append(manifestLine(text, bytes));
        }
        writeFile(dir.filePath(u".generated-voices"_s), manifest.join(u'\n').toUtf8() + '\n');
    }
    QString path(const QString &text) const { return dir.path() + u'/' + text + u".wav"_s; }
    QString manifest() const
    {
        return QString::fromUtf8(readFile(dir.filePath(u".generated-voices"_s)));
    }

    QTemporaryDir dir;
    VoiceReadings readings = VoiceReadings::builtIn();
    QHash<QString, QByteArray> generated;
};

} // namespace

class TestFrmRecord : public QObject
{
    Q_OBJECT

  private slots:
    void keepAndRestore_data();
    void keepAndRestore();
    void nothingToKeep_data();
    void nothingToKeep();
    void failedSaveKeepsTheOldVoice();
    void rebuildKeepsTheRecording();
};

void TestFrmRecord::keepAndRestore_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("share");
    QTest::addColumn<QStringList>("written");
    QTest::addColumn<QString>("next");

    QTest::newRow("あ also writes ア")
        << u"あ"_s << true << QStringList{u"あ"_s, u"ア"_s} << u"い"_s;
    QTest::newRow("に shares with ニ and 2")
        << u"に"_s << true << QStringList{u"に"_s, u"ニ"_s, u"2"_s} << u"ぬ"_s;
    QTest::newRow("sharing off") << u"あ"_s << false << QStringList{u"あ"_s} << u"い"_s;
    QTest::newRow("a mark read as words")
        << u"(^_^)"_s << true << QStringList{u"(^_^)"_s} << u"(T_T)"_s;
}

void TestFrmRecord::keepAndRestore()
{
    QFETCH(QString, text);
    QFETCH(bool, share);
    QFETCH(QStringList, written);
    QFETCH(QString, next);
    Folder folder;
    VoiceStore store(folder.dir.path());
    FakeAudioInput microphone;
    RecordingTakePlayer player;
    frmRecord screen(store, folder.readings, microphone, player);
    screen.findChild<QCheckBox *>(u"chkShare"_s)->setChecked(share);
    screen.selectText(text);

    QTest::keyClick(&screen, Qt::Key_Space);
    microphone.feed(Synth::take(300, 400, 2000, -6.0, microphone.rate));
    QCOMPARE(player.played.size(), 1); // heard at once
    const QByteArray wav = WavFile::bytes(player.played.first(), microphone.rate);
    QTest::keyClick(&screen, Qt::Key_Return);

    QCOMPARE(screen.currentText(), next);
    for (const QString &t : folder.readings.texts()) {
        const QByteArray expected = written.contains(t) ? wav : folder.generated.value(t);
        QVERIFY2(readFile(folder.path(t)) == expected, qPrintable(t));
        QCOMPARE(store.kind(t),
                 written.contains(t) ? VoiceStore::Kind::Own : VoiceStore::Kind::Generated);
    }

    const QString manifestBefore = manifestLine(text, folder.generated.value(text));
    QVERIFY(store.keep(text, "second take")); // must not replace the kept original
    screen.selectText(text);
    screen.findChild<QPushButton *>(u"cmdRestore"_s)->click();
    for (const QString &t : std::as_const(written)) {
        QCOMPARE(readFile(folder.path(t)), folder.generated.value(t));
        QCOMPARE(store.kind(t), VoiceStore::Kind::Generated);
        QVERIFY(!store.hasOriginal(t));
    }
    QVERIFY(folder.manifest().split(u'\n').contains(manifestBefore));
}

void TestFrmRecord::nothingToKeep_data()
{
    QTest::addColumn<bool>("microphone");
    QTest::addColumn<QString>("status");
    QTest::newRow("no microphone") << false << QString::fromUtf16(RecordTexts::kNoMicrophone);
    QTest::newRow("stopped before any sound") << true << QString();
}

void TestFrmRecord::nothingToKeep()
{
    QFETCH(bool, microphone);
    QFETCH(QString, status);
    Folder folder;
    const QStringList before = QDir(folder.dir.path()).entryList(QDir::AllEntries | QDir::Hidden);
    VoiceStore store(folder.dir.path());
    FakeAudioInput input;
    input.available = microphone;
    RecordingTakePlayer player;
    frmRecord screen(store, folder.readings, input, player);

    QCOMPARE(screen.findChild<QPushButton *>(u"cmdRecord"_s)->isEnabled(), microphone);
    QTest::keyClick(&screen, Qt::Key_Space);
    QTest::keyClick(&screen, Qt::Key_Space);
    QCOMPARE(screen.findChild<QLabel *>(u"lblStatus"_s)->text(), status);
    QVERIFY(!screen.findChild<QPushButton *>(u"cmdSave"_s)->isEnabled());
    QTest::keyClick(&screen, Qt::Key_Return);
    QCOMPARE(QDir(folder.dir.path()).entryList(QDir::AllEntries | QDir::Hidden), before);
    QCOMPARE(readFile(folder.path(u"あ"_s)), folder.generated.value(u"あ"_s));
}

void TestFrmRecord::failedSaveKeepsTheOldVoice()
{
    Folder folder;
    // The original cannot be kept aside: a file stands where its folder would go.
    writeFile(folder.dir.filePath(u"voices-original"_s), "in the way");
    VoiceStore store(folder.dir.path());
    FakeAudioInput microphone;
    RecordingTakePlayer player;
    frmRecord screen(store, folder.readings, microphone, player);

    QTest::keyClick(&screen, Qt::Key_Space);
    microphone.feed(Synth::take(300, 400, 2000, -6.0, microphone.rate));
    QTest::keyClick(&screen, Qt::Key_Return);

    QCOMPARE(screen.currentText(), u"あ"_s); // stays to try again
    QVERIFY(screen.findChild<QLabel *>(u"lblStatus"_s)
                ->text()
                .startsWith(QString::fromUtf16(RecordTexts::kSaveFailed)));
    QCOMPARE(readFile(folder.path(u"あ"_s)), folder.generated.value(u"あ"_s));
    QCOMPARE(readFile(folder.path(u"ア"_s)), folder.generated.value(u"ア"_s));
    QVERIFY(screen.findChild<QPushButton *>(u"cmdSave"_s)->isEnabled());
}

// The voice build run again after a recording was kept, and again after it was undone.
void TestFrmRecord::rebuildKeepsTheRecording()
{
    if (QStandardPaths::findExecutable(u"espeak-ng"_s).isEmpty())
        QSKIP("espeak-ng is not installed: the voice build writes nothing to compare");
    const QString script = QFINDTESTDATA("../../tools/make_voices.sh");
    QVERIFY(!script.isEmpty());
    QTemporaryDir dir;
    const QString table = dir.filePath(u"table.tsv"_s);
    writeFile(table, "あ\nア\n");
    const QString program = dir.filePath(u"program"_s);
    const auto build = [&] { QCOMPARE(QProcess::execute(u"bash"_s, {script, table, program}), 0); };
    const QString voice = program + u"/あ.wav"_s;

    build();
    const QByteArray generated = readFile(voice);
    VoiceStore store(program);
    QCOMPARE(store.kind(u"あ"_s), VoiceStore::Kind::Generated);
    QVERIFY(store.keep(u"あ"_s, "my own voice"));
    build();
    QCOMPARE(readFile(voice), QByteArray("my own voice"));
    QCOMPARE(store.kind(u"あ"_s), VoiceStore::Kind::Own);

    QVERIFY(store.restore(u"あ"_s));
    build();
    QCOMPARE(readFile(voice), generated);
    QCOMPARE(store.kind(u"あ"_s), VoiceStore::Kind::Generated);
}

QTEST_MAIN(TestFrmRecord)
#include "tst_frmrecord.moc"
