#include "platform/ProgramFolders.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {
// Puts an empty あ.wav into `dir`, making the folder first.
bool putVoice(const QString &dir)
{
    QFile file(dir + u"/あ.wav"_s);
    return QDir().mkpath(dir) && file.open(QIODevice::WriteOnly);
}
} // namespace

class tst_programfolders : public QObject
{
    Q_OBJECT

  private slots:
    void decide_data();
    void decide();
    void voiceFile_data();
    void voiceFile();
};

void tst_programfolders::decide_data()
{
    QTest::addColumn<bool>("writable");
    QTest::addColumn<bool>("installedVoices");
    QTest::addColumn<bool>("portable");
    QTest::addColumn<QString>("voices"); // where あ.wav is found
    QTest::newRow("own copy") << true << false << true << u"usr/bin"_s;
    QTest::newRow("copy on read-only media") << false << false << false << u"usr/bin"_s;
    // Root can write /usr/bin: the voice folder beside it still marks an installation.
    QTest::newRow("installed, run by root") << true << true << false << u"usr/share/talk/voices"_s;
    QTest::newRow("installed") << false << true << false << u"usr/share/talk/voices"_s;
}

void tst_programfolders::decide()
{
    QFETCH(bool, writable);
    QFETCH(bool, installedVoices);
    QFETCH(bool, portable);
    QFETCH(QString, voices);
    QTemporaryDir root;
    const QString programDir = root.filePath(u"usr/bin"_s);
    const QString voiceDir = root.filePath(u"usr/share/talk/voices"_s);
    const QString userDir = root.filePath(u"home/.local/share/Talk"_s);
    for (const QString &dir :
         installedVoices ? QStringList{programDir, voiceDir} : QStringList{programDir})
        QVERIFY(putVoice(dir));

    const ProgramFolders folders = ProgramFolders::decide(programDir, writable, voiceDir, userDir);
    QCOMPARE(folders.isPortable(), portable);
    QCOMPARE(folders.dataDir(), QDir::toNativeSeparators(portable ? programDir : userDir));
    QCOMPARE(folders.voiceFile(u"あ"_s),
             QDir::toNativeSeparators(root.filePath(voices) + u"/あ.wav"_s));
    // The user's folder does not exist before the first start.
    QVERIFY(folders.ensureDataDir());
    QVERIFY(QFileInfo(folders.dataDir()).isDir());
}

void tst_programfolders::voiceFile_data()
{
    QTest::addColumn<QStringList>("holders"); // the folders holding あ.wav
    QTest::addColumn<QString>("expected");
    QTest::newRow("own recording wins") << QStringList{u"user"_s, u"installed"_s} << u"user"_s;
    QTest::newRow("supplied voice") << QStringList{u"installed"_s} << u"installed"_s;
    QTest::newRow("own recording only") << QStringList{u"user"_s} << u"user"_s;
    QTest::newRow("no file anywhere") << QStringList{} << u"user"_s;
}

void tst_programfolders::voiceFile()
{
    QFETCH(QStringList, holders);
    QFETCH(QString, expected);
    QTemporaryDir root;
    for (const QString &holder : holders)
        QVERIFY(putVoice(root.filePath(holder)));
    const ProgramFolders folders =
        ProgramFolders::installed(root.filePath(u"user"_s), root.filePath(u"installed"_s));
    QCOMPARE(folders.voiceFile(u"あ"_s),
             QDir::toNativeSeparators(root.filePath(expected + u"/あ.wav"_s)));
}

QTEST_APPLESS_MAIN(tst_programfolders)
#include "tst_programfolders.moc"
