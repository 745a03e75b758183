#include "platform/ProgramFolders.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

class tst_programfolders : public QObject
{
    Q_OBJECT

  private slots:
    void decide_data();
    void decide();
    void voiceFile_data();
    void voiceFile();
};

namespace {
void touch(const QString &path)
{
    QVERIFY(QDir().mkpath(QFileInfo(path).path()));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
}
} // namespace

void tst_programfolders::decide_data()
{
    QTest::addColumn<bool>("writable");
    QTest::addColumn<bool>("installedVoices");
    QTest::addColumn<bool>("portable");
    QTest::newRow("own copy") << true << false << true;
    QTest::newRow("read-only folder") << false << false << false;
    // Root can write /usr/bin: the voice folder beside it still marks an installation.
    QTest::newRow("installed, run by root") << true << true << false;
    QTest::newRow("installed") << false << true << false;
}

void tst_programfolders::decide()
{
    QFETCH(bool, writable);
    QFETCH(bool, installedVoices);
    QFETCH(bool, portable);
    QTemporaryDir root;
    const QString programDir = root.filePath(u"usr/bin"_s);
    const QString voiceDir = root.filePath(u"usr/share/talk/voices"_s);
    const QString userDir = root.filePath(u"home/.local/share/Talk"_s);
    QVERIFY(QDir().mkpath(programDir));
    if (installedVoices)
        QVERIFY(QDir().mkpath(voiceDir));

    const ProgramFolders folders = ProgramFolders::decide(programDir, writable, voiceDir, userDir);
    QCOMPARE(folders.isPortable(), portable);
    QCOMPARE(folders.dataDir(), QDir::toNativeSeparators(portable ? programDir : userDir));
    // The user's folder does not exist before the first start.
    QVERIFY(folders.ensureDataDir());
    QVERIFY(QFileInfo(folders.dataDir()).isDir());
}

void tst_programfolders::voiceFile_data()
{
    QTest::addColumn<bool>("recorded");       // あ.wav in the user's folder
    QTest::addColumn<bool>("supplied");       // あ.wav in the installed voices
    QTest::addColumn<QString>("expectedDir"); // "user" or "installed"
    QTest::newRow("own recording wins") << true << true << u"user"_s;
    QTest::newRow("supplied voice") << false << true << u"installed"_s;
    QTest::newRow("own recording only") << true << false << u"user"_s;
    QTest::newRow("no file anywhere") << false << false << u"user"_s;
}

void tst_programfolders::voiceFile()
{
    QFETCH(bool, recorded);
    QFETCH(bool, supplied);
    QFETCH(QString, expectedDir);
    QTemporaryDir root;
    const QString userDir = root.filePath(u"user"_s);
    const QString voiceDir = root.filePath(u"installed"_s);
    if (recorded)
        touch(userDir + u"/あ.wav"_s);
    if (supplied)
        touch(voiceDir + u"/あ.wav"_s);

    const ProgramFolders folders = ProgramFolders::installed(userDir, voiceDir);
    QCOMPARE(folders.voiceFile(u"あ"_s),
             QDir::toNativeSeparators(root.filePath(expectedDir) + u"/あ.wav"_s));
}

QTEST_APPLESS_MAIN(tst_programfolders)
#include "tst_programfolders.moc"
