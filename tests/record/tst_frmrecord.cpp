#include "FileBytes.h"
#include "RecordFakes.h"
#include "record/RecordTexts.h"
#include "record/VoiceStore.h"
#include "record/WavFile.h"
#include "record/frmRecord.h"
#include "voice/VoiceReadings.h"

#include <QCheckBox>
#include <QCryptographicHash>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

const auto shown = [](const char16_t *text) { return QString::fromUtf16(text); };

// A disk whose write number `failAt` (counted from 0) fails as a full disk fails it: the
// bytes do not reach the device.
struct FailingDisk final : TextFile::Disk
{
    bool syncData(int fd) override { return writes++ != failAt && Disk::syncData(fd); }
    int failAt = -1;
    int writes = 0;
};

// A program folder whose every voice was generated (and listed) as distinct bytes.
struct Folder
{
    Folder()
    {
        QByteArray manifest = "# espeak-ng -v ja -s 200\n";
        QDir(dir.path()).mkpath(u"cues"_s); // the buttons' spoken names, as the build makes them
        for (const QString &text : readings.texts()) {
            const QByteArray bytes = WavFile::bytes({qint16(qHash(text))}, 22050);
            QVERIFY(FileBytes::write(path(text), bytes));
            generated.insert(text, bytes);
            manifest += text.toUtf8() + "\t\t" +
                        QCryptographicHash::hash(bytes, QCryptographicHash::Md5).toHex() + '\n';
        }
        QVERIFY(FileBytes::write(dir.filePath(u".generated-voices"_s), manifest));
    }
    // Joined by hand: QDir::filePath() would take ":.wav" for a resource path.
    QString path(const QString &text) const { return dir.path() + u'/' + text + u".wav"_s; }
    QString original(const QString &text) const { return path(u"voices-original/"_s + text); }
    QByteArray voice(const QString &text) const { return FileBytes::read(path(text)); }

    QTemporaryDir dir;
    VoiceReadings readings = VoiceReadings::builtIn();
    QHash<QString, QByteArray> generated;
    FailingDisk disk;
    VoiceStore store{dir.path(), disk};
    FakeAudioInput microphone;
    RecordingTakePlayer player;
};

} // namespace

class TestFrmRecord : public QObject
{
    Q_OBJECT

  private slots:
    void keepOrLoseNothing_data();
    void keepOrLoseNothing();
    void restoreOnlyAWholeVoice_data();
    void restoreOnlyAWholeVoice();
};

void TestFrmRecord::keepOrLoseNothing_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("share");
    // "tone": a word is said; "blocked": the same, with a file where the originals' folder
    // would go; "full": the same, the disk full from the original's copy on; "none": there is
    // no microphone; "stop": stopped before any sound.
    QTest::addColumn<QString>("take");
    QTest::addColumn<QString>("written"); // the voices replaced
    QTest::addColumn<QString>("next");
    QTest::addColumn<QString>("status");
    const QString saved = shown(RecordTexts::kSaved), failed = shown(RecordTexts::kSaveFailed);
    QTest::newRow("に shares with ニ and 2")
        << u"に"_s << true << u"tone"_s << u"に ニ 2"_s << u"ぬ"_s << saved;
    QTest::newRow("sharing off") << u"あ"_s << false << u"tone"_s << u"あ"_s << u"い"_s << saved;
    QTest::newRow("a mark read as words")
        << u"(^_^)"_s << true << u"tone"_s << u"(^_^)"_s << u"(T_T)"_s << saved;
    QTest::newRow("a button's spoken name")
        << u"cues/読む"_s << true << u"tone"_s << u"cues/読む"_s << u"cues/ＢＳ"_s << saved;
    QTest::newRow("no microphone") << u"あ"_s << true << u"none"_s << QString() << u"い"_s
                                   << shown(RecordTexts::kNoMicrophone);
    QTest::newRow("stopped before any sound")
        << u"あ"_s << true << u"stop"_s << QString() << u"い"_s << QString();
    QTest::newRow("original cannot be kept aside: stays to try again")
        << u"あ"_s << true << u"blocked"_s << QString() << u"あ"_s << failed + u" (あ ア)"_s;
    QTest::newRow("full disk: no original kept in part, the voice untouched")
        << u"あ"_s << false << u"full"_s << QString() << u"あ"_s << failed + u" (あ)"_s;
}

void TestFrmRecord::keepOrLoseNothing()
{
    QFETCH(QString, text);
    QFETCH(QString, take);
    QFETCH(QString, written);
    const QStringList replaced = written.split(u' ', Qt::SkipEmptyParts);
    Folder folder;
    if (take == u"blocked")
        QVERIFY(FileBytes::write(folder.dir.filePath(u"voices-original"_s), "in the way"));
    if (take == u"full")
        folder.disk.failAt = 0;
    folder.microphone.available = take != u"none";
    frmRecord screen(folder.store, folder.readings, folder.microphone, folder.player);
    auto *record = screen.findChild<QPushButton *>(u"cmdRecord"_s);
    QCOMPARE(record->isEnabled(), folder.microphone.available);
    QFETCH(bool, share);
    screen.findChild<QCheckBox *>(u"chkShare"_s)->setChecked(share);
    screen.selectText(text);

    QTest::keyClick(&screen, Qt::Key_Space);
    // A screen reader names the button by what it does now.
    QCOMPARE(record->accessibleName(), record->text());
    if (take == u"tone" || take == u"blocked" || take == u"full")
        folder.microphone.feed(Synth::take(300, 400, 2000, -6.0));
    else
        QTest::keyClick(&screen, Qt::Key_Space);
    QCOMPARE(record->accessibleName(), shown(RecordTexts::kRecord));
    const QByteArray wav = WavFile::bytes(folder.player.played.value(0), FakeAudioInput::kRate);
    QTest::keyClick(&screen, Qt::Key_Return);
    QTEST(screen.findChild<QLabel *>(u"lblStatus"_s)->text(), "status");
    QTEST(screen.currentText(), "next");
    QCOMPARE(screen.findChild<QPushButton *>(u"cmdSave"_s)->isEnabled(),
             take == u"blocked" || take == u"full");
    for (const QString &t : folder.readings.texts()) {
        QCOMPARE(folder.voice(t), replaced.contains(t) ? wav : folder.generated.value(t));
        QCOMPARE(folder.store.hasOriginal(t), replaced.contains(t)); // none left empty
        QCOMPARE(folder.store.kind(t),
                 replaced.contains(t) ? VoiceStore::Kind::Own : VoiceStore::Kind::Generated);
    }
    if (replaced.isEmpty())
        return;

    QCOMPARE(folder.player.played.size(), 1);        // heard at once
    QVERIFY(folder.store.keep(text, "second take")); // must not replace the kept original
    screen.selectText(text);
    // Its cell names the voice it has now and is framed as the chosen one.
    QPushButton *cell = nullptr;
    for (QPushButton *b : screen.findChildren<QPushButton *>())
        if (b->objectName().startsWith(u"cmdCell_"_s) && b->text() == VoiceReadings::caption(text))
            cell = b;
    QVERIFY(cell);
    QCOMPARE(cell->accessibleName(), cell->text() + u' ' + shown(RecordTexts::kOwnVoice));
    QVERIFY(cell->styleSheet().contains(u"5px"_s));
    screen.findChild<QPushButton *>(u"cmdRestore"_s)->click();
    for (const QString &t : replaced) {
        QCOMPARE(folder.voice(t), folder.generated.value(t));
        QVERIFY(folder.store.kind(t) == VoiceStore::Kind::Generated &&
                !folder.store.hasOriginal(t));
    }
}

void TestFrmRecord::restoreOnlyAWholeVoice_data()
{
    // voices-original/あ.wav after two recordings: the voice there before the first ("generated",
    // or the user's own file this program cannot play: "mu-law", "long"), "empty" (emptied
    // between them, as a full disk used to leave it) or "garbage" (after them).
    QTest::addColumn<QString>("original");
    QTest::addColumn<bool>("full"); // the disk refuses the restore's write
    QTest::addColumn<QString>("status");
    const QString notAVoice = shown(RecordTexts::kOriginalNotAVoice) + u" (あ)"_s;
    QTest::newRow("full disk: both voices stay")
        << u"generated"_s << true << shown(RecordTexts::kRestoreFailed) + u" (あ)"_s;
    QTest::newRow("garbage original refused") << u"garbage"_s << false << notAVoice;
    QTest::newRow("the user's mu-law voice kept through the next take")
        << u"mu-law"_s << false << notAVoice;
    QTest::newRow("the user's voice of 31 s kept through the next take")
        << u"long"_s << false << notAVoice;
    // An empty original gives way to the voice the second recording replaced: the first is back.
    QTest::newRow("empty original replaced by the next save")
        << u"empty"_s << false << shown(RecordTexts::kRestored);
}

void TestFrmRecord::restoreOnlyAWholeVoice()
{
    QFETCH(QString, original);
    Folder folder;
    const QString text = u"あ"_s;
    const QByteArray first = WavFile::bytes({1}, 8000);
    const QByteArray second = WavFile::bytes({2}, 8000);
    QByteArray placed = folder.voice(text);
    if (original == u"mu-law") // format 7, 8 bits a sample
        placed = WavFile::bytes({1, 2}, 8000)
                     .replace(20, 2, QByteArray("\x07\x00", 2))
                     .replace(34, 2, QByteArray("\x08\x00", 2));
    if (original == u"long")
        placed = WavFile::bytes(QList<qint16>(31 * 8000, 1), 8000);
    QVERIFY(FileBytes::write(folder.path(text), placed));
    QVERIFY(folder.store.keep(text, first));
    if (original == u"empty")
        QVERIFY(FileBytes::write(folder.original(text), {}));
    QVERIFY(folder.store.keep(text, second));
    if (original == u"garbage")
        QVERIFY(FileBytes::write(folder.original(text), "RIFF garbage"));
    const QByteArray kept = FileBytes::read(folder.original(text));
    if (original != u"empty" && original != u"garbage")
        QCOMPARE(kept, placed);
    QFETCH(bool, full);
    folder.disk.failAt = full ? folder.disk.writes : -1;
    frmRecord screen(folder.store, folder.readings, folder.microphone, folder.player);
    screen.findChild<QCheckBox *>(u"chkShare"_s)->setChecked(false);
    screen.selectText(text);
    screen.findChild<QPushButton *>(u"cmdRestore"_s)->click();
    QTEST(screen.findChild<QLabel *>(u"lblStatus"_s)->text(), "status");
    const bool firstBack = original == u"empty"; // else the second recording stays
    QCOMPARE(folder.voice(text), firstBack ? first : second);
    // The kept original goes only once it is back whole.
    QCOMPARE(FileBytes::read(folder.original(text)), firstBack ? QByteArray() : kept);
    QCOMPARE(folder.store.hasOriginal(text), !firstBack);
}

QTEST_MAIN(TestFrmRecord)
#include "tst_frmrecord.moc"
