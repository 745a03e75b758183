#include "RecordFakes.h"
#include "record/RecordTexts.h"
#include "record/VoiceReadings.h"
#include "record/VoiceStore.h"
#include "record/WavFile.h"
#include "record/frmRecord.h"

#include <QCheckBox>
#include <QCryptographicHash>
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
            const QByteArray bytes = "generated voice of " + text.toUtf8();
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
    void keepOrLoseNothing_data();
    void keepOrLoseNothing();
};

void TestFrmRecord::keepOrLoseNothing_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("share");
    // "tone": a word is said; "blocked": the same, with a file where the originals' folder
    // would go; "none": there is no microphone; "stop": stopped before any sound.
    QTest::addColumn<QString>("take");
    QTest::addColumn<QStringList>("written");
    QTest::addColumn<QString>("next");
    QTest::addColumn<QString>("status");
    const QString saved = QString::fromUtf16(RecordTexts::kSaved);
    QTest::newRow("に shares with ニ and 2")
        << u"に"_s << true << u"tone"_s << QStringList{u"に"_s, u"ニ"_s, u"2"_s} << u"ぬ"_s
        << saved;
    QTest::newRow("sharing off") << u"あ"_s << false << u"tone"_s << QStringList{u"あ"_s} << u"い"_s
                                 << saved;
    QTest::newRow("a mark read as words")
        << u"(^_^)"_s << true << u"tone"_s << QStringList{u"(^_^)"_s} << u"(T_T)"_s << saved;
    QTest::newRow("no microphone") << u"あ"_s << true << u"none"_s << QStringList() << u"い"_s
                                   << QString::fromUtf16(RecordTexts::kNoMicrophone);
    QTest::newRow("stopped before any sound")
        << u"あ"_s << true << u"stop"_s << QStringList() << u"い"_s << QString();
    QTest::newRow("original cannot be kept aside: stays to try again")
        << u"あ"_s << true << u"blocked"_s << QStringList() << u"あ"_s
        << QString::fromUtf16(RecordTexts::kSaveFailed) + u" (あ ア)"_s;
}

void TestFrmRecord::keepOrLoseNothing()
{
    QFETCH(QString, text);
    QFETCH(QString, take);
    QFETCH(QStringList, written);
    Folder folder;
    if (take == u"blocked")
        writeFile(folder.dir.filePath(u"voices-original"_s), "in the way");
    folder.microphone.available = take != u"none";
    frmRecord screen(folder.store, folder.readings, folder.microphone, folder.player);
    QCOMPARE(screen.findChild<QPushButton *>(u"cmdRecord"_s)->isEnabled(),
             folder.microphone.available);
    QFETCH(bool, share);
    screen.findChild<QCheckBox *>(u"chkShare"_s)->setChecked(share);
    screen.selectText(text);

    QTest::keyClick(&screen, Qt::Key_Space);
    if (take == u"tone" || take == u"blocked")
        folder.microphone.feed(Synth::take(300, 400, 2000, -6.0));
    else
        QTest::keyClick(&screen, Qt::Key_Space);
    const QByteArray wav = WavFile::bytes(folder.player.played.value(0), FakeAudioInput::kRate);
    QTest::keyClick(&screen, Qt::Key_Return);
    QTEST(screen.findChild<QLabel *>(u"lblStatus"_s)->text(), "status");
    QTEST(screen.currentText(), "next");
    QCOMPARE(screen.findChild<QPushButton *>(u"cmdSave"_s)->isEnabled(), take == u"blocked");
    for (const QString &t : folder.readings.texts()) {
        QCOMPARE(folder.voice(t), written.contains(t) ? wav : folder.generated.value(t));
        QCOMPARE(folder.store.kind(t),
                 written.contains(t) ? VoiceStore::Kind::Own : VoiceStore::Kind::Generated);
    }
    if (written.isEmpty())
        return;

    QCOMPARE(folder.player.played.size(), 1);        // heard at once
    QVERIFY(folder.store.keep(text, "second take")); // must not replace the kept original
    screen.selectText(text);
    screen.findChild<QPushButton *>(u"cmdRestore"_s)->click();
    for (const QString &t : std::as_const(written)) {
        QCOMPARE(folder.voice(t), folder.generated.value(t));
        QVERIFY(folder.store.kind(t) == VoiceStore::Kind::Generated &&
                !folder.store.hasOriginal(t));
    }
}

QTEST_MAIN(TestFrmRecord)
#include "tst_frmrecord.moc"
