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
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
}

// A program folder whose every voice was generated (and listed) as distinct bytes.
struct Folder
{
    Folder()
    {
        QByteArray manifest = "# espeak-ng -v ja -s 200\n";
        for (const QString &text : readings.texts()) {
            const QByteArray bytes =
                WavFile::bytes(Synth::tone(50, 300.0, -6.0), 48000) + text.toUtf8();
            writeFile(path(text), bytes);
            generated.insert(text, bytes);
            manifest += text.toUtf8() + "\t\t" +
                        QCryptographicHash::hash(bytes, QCryptographicHash::Md5).toHex() + '\n';
        }
        writeFile(dir.filePath(u".generated-voices"_s), manifest);
    }
    // Joined by hand: QDir::filePath() would take ":.wav" for a resource path.
    QString path(const QString &text) const { return dir.path() + u'/' + text + u".wav"_s; }
    QByteArray voice(const QString &text) const
    {
        QFile file(path(text));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    QStringList entries() const
    {
        return QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden);
    }

    QTemporaryDir dir;
    VoiceReadings readings = VoiceReadings::builtIn();
    QHash<QString, QByteArray> generated;
    VoiceStore store{dir.path()};
    FakeAudioInput microphone;
    RecordingTakePlayer player;
};

} // namespace

class TestFrmRecord : public QObject
{
    Q_OBJECT

  private slots:
    void keepAndRestore_data();
    void keepAndRestore();
    void nothingLost_data();
    void nothingLost();
};

void TestFrmRecord::keepAndRestore_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("share");
    QTest::addColumn<QStringList>("written");
    QTest::addColumn<QString>("next");
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
    Folder folder;
    frmRecord screen(folder.store, folder.readings, folder.microphone, folder.player);
    screen.findChild<QCheckBox *>(u"chkShare"_s)->setChecked(share);
    screen.selectText(text);

    QTest::keyClick(&screen, Qt::Key_Space);
    folder.microphone.feed(Synth::take(300, 400, 2000, -6.0));
    QCOMPARE(folder.player.played.size(), 1); // heard at once
    const QByteArray wav = WavFile::bytes(folder.player.played.first(), FakeAudioInput::kRate);
    QTest::keyClick(&screen, Qt::Key_Return);
    QTEST(screen.currentText(), "next");
    for (const QString &t : folder.readings.texts())
        QCOMPARE(folder.store.kind(t),
                 written.contains(t) ? VoiceStore::Kind::Own : VoiceStore::Kind::Generated);
    for (const QString &t : std::as_const(written))
        QCOMPARE(folder.voice(t), wav);

    QVERIFY(folder.store.keep(text, "second take")); // must not replace the kept original
    screen.selectText(text);
    screen.findChild<QPushButton *>(u"cmdRestore"_s)->click();
    for (const QString &t : std::as_const(written)) {
        QCOMPARE(folder.voice(t), folder.generated.value(t));
        QVERIFY(folder.store.kind(t) == VoiceStore::Kind::Generated &&
                !folder.store.hasOriginal(t));
    }
}

void TestFrmRecord::nothingLost_data()
{
    QTest::addColumn<bool>("microphone");
    QTest::addColumn<bool>("speaks");
    QTest::addColumn<bool>("blocked"); // a file stands where the originals' folder would go
    QTest::addColumn<QString>("status");
    QTest::addColumn<QString>("next");
    QTest::newRow("no microphone")
        << false << false << false << QString::fromUtf16(RecordTexts::kNoMicrophone) << u"い"_s;
    QTest::newRow("stopped before any sound") << true << false << false << QString() << u"い"_s;
    QTest::newRow("original cannot be kept aside: stays to try again")
        << true << true << true << QString::fromUtf16(RecordTexts::kSaveFailed) + u" (あ ア)"_s
        << u"あ"_s;
}

void TestFrmRecord::nothingLost()
{
    QFETCH(bool, microphone);
    QFETCH(bool, speaks);
    QFETCH(bool, blocked);
    Folder folder;
    if (blocked)
        writeFile(folder.dir.filePath(u"voices-original"_s), "in the way");
    const QStringList before = folder.entries();
    folder.microphone.available = microphone;
    frmRecord screen(folder.store, folder.readings, folder.microphone, folder.player);

    QCOMPARE(screen.findChild<QPushButton *>(u"cmdRecord"_s)->isEnabled(), microphone);
    QTest::keyClick(&screen, Qt::Key_Space);
    if (speaks)
        folder.microphone.feed(Synth::take(300, 400, 2000, -6.0));
    else
        QTest::keyClick(&screen, Qt::Key_Space);
    QTest::keyClick(&screen, Qt::Key_Return);
    QTEST(screen.findChild<QLabel *>(u"lblStatus"_s)->text(), "status");
    QTEST(screen.currentText(), "next");
    QCOMPARE(screen.findChild<QPushButton *>(u"cmdSave"_s)->isEnabled(), speaks);
    QCOMPARE(folder.entries(), before);
    for (const QString &t : folder.readings.texts())
        QCOMPARE(folder.voice(t), folder.generated.value(t));
}

QTEST_MAIN(TestFrmRecord)
#include "tst_frmrecord.moc"
