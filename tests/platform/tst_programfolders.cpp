#include "platform/ProgramFolders.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

const QString kProgram = u"usr/bin"_s;
const QString kInstalled = u"usr/share/talkboard/voices"_s;
const QString kUser = u"home/.local/share/Talk"_s;

class tst_programfolders : public QObject
{
    Q_OBJECT

  private slots:
    void decide_data();
    void decide();
};

void tst_programfolders::decide_data()
{
    QTest::addColumn<bool>("writable");
    QTest::addColumn<QStringList>("holders"); // the folders holding あ.wav
    QTest::addColumn<bool>("portable");
    QTest::addColumn<QString>("voices"); // where あ.wav is looked up
    QTest::newRow("own copy") << true << QStringList{kProgram} << true << kProgram;
    QTest::newRow("copy on read-only media") << false << QStringList{kProgram} << false << kProgram;
    // Root can write /usr/bin: the voice folder beside it still marks an installation.
    QTest::newRow("installed, run by root")
        << true << QStringList{kProgram, kInstalled} << false << kInstalled;
    QTest::newRow("own recording wins")
        << false << QStringList{kInstalled, kUser} << false << kUser;
}

void tst_programfolders::decide()
{
    QFETCH(bool, writable);
    QFETCH(QStringList, holders);
    QFETCH(bool, portable);
    QFETCH(QString, voices);
    QTemporaryDir root;
    for (const QString &holder : holders)
        QVERIFY(QDir().mkpath(root.filePath(holder)) &&
                QFile(root.filePath(holder + u"/あ.wav"_s)).open(QIODevice::WriteOnly));
    const ProgramFolders folders = ProgramFolders::decide(
        root.filePath(kProgram), writable, root.filePath(kInstalled), root.filePath(kUser));
    QCOMPARE(folders.dataDir(),
             QDir::toNativeSeparators(root.filePath(portable ? kProgram : kUser)));
    QCOMPARE(folders.voiceFile(u"あ"_s),
             QDir::toNativeSeparators(root.filePath(voices + u"/あ.wav"_s)));
    // The user's folder does not exist before the first start.
    QVERIFY(folders.ensureDataDir() && QFileInfo(folders.dataDir()).isDir());
}

QTEST_APPLESS_MAIN(tst_programfolders)
#include "tst_programfolders.moc"
