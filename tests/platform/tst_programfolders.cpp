#include "FileBytes.h"
#include "platform/ProgramFolders.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

const QString kProgram = u"usr/bin"_s;
const QString kInstalled = u"usr/share/talkboard/voices"_s;
const QString kUser = u"home/.local/share/Talk"_s;
const QStringList kDataFiles{u"Talk.txt"_s, u"day.txt"_s};
const QFile::Permissions kPrivateFile =
    QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser;
const QFile::Permissions kPrivateFolder = kPrivateFile | QFile::ExeOwner | QFile::ExeUser;

class tst_programfolders : public QObject
{
    Q_OBJECT

  private slots:
    void decide_data();
    void decide();
    void adoptDataFiles_data();
    void adoptDataFiles();
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
        QVERIFY(FileBytes::write(root.filePath(holder + u"/あ.wav"_s), {}));
    const ProgramFolders folders = ProgramFolders::decide(
        root.filePath(kProgram), writable, root.filePath(kInstalled), root.filePath(kUser));
    QCOMPARE(folders.dataDir(),
             QDir::toNativeSeparators(root.filePath(portable ? kProgram : kUser)));
    QCOMPARE(folders.voiceFile(u"あ"_s),
             QDir::toNativeSeparators(root.filePath(voices + u"/あ.wav"_s)));
    // The user's folder does not exist before the first start; it is made private, while one
    // that exists keeps what the user set.
    const bool existed = QFileInfo::exists(folders.dataDir());
    const QFile::Permissions before = QFileInfo(folders.dataDir()).permissions();
    QVERIFY(folders.ensureDataDir() && QFileInfo(folders.dataDir()).isDir());
    QCOMPARE(QFileInfo(folders.dataDir()).permissions(), existed ? before : kPrivateFolder);
}

void tst_programfolders::adoptDataFiles_data()
{
    QTest::addColumn<bool>("writable");
    // Already in the user's folder; "-": a file in its place; "… ->": a link leading nowhere.
    QTest::addColumn<QString>("userFile");
    QTest::addColumn<QStringList>("adopted");
    QTest::newRow("read-only copy: both copied") << false << QString() << kDataFiles;
    QTest::newRow("the user's own list is never replaced")
        << false << u"Talk.txt"_s << QStringList{u"day.txt"_s};
    // Nothing is written through a link: where it leads (a stick not plugged in) is the user's.
    QTest::newRow("a link leading nowhere is the user's too")
        << false << u"Talk.txt ->"_s << QStringList{u"day.txt"_s};
    QTest::newRow("writable copy keeps its files") << true << QString() << QStringList();
    // Where the user's folder cannot be made, the files are read where they are.
    QTest::newRow("no user folder") << false << u"-"_s << QStringList();
}

void tst_programfolders::adoptDataFiles()
{
    QFETCH(bool, writable);
    QFETCH(QString, userFile);
    QFETCH(QStringList, adopted);
    QTemporaryDir root;
    for (const QString &name : kDataFiles)
        QVERIFY(FileBytes::write(root.filePath(kProgram + u'/' + name), name.toUtf8()));
    const QString nowhere = root.filePath(u"stick/Talk.txt"_s);
    if (userFile.endsWith(u" ->")) {
        QVERIFY(QDir().mkpath(root.filePath(kUser)) && QDir().mkpath(root.filePath(u"stick"_s)));
        QVERIFY(QFile::link(nowhere, root.filePath(kUser + u"/Talk.txt"_s)));
    } else if (!userFile.isEmpty()) {
        QVERIFY(FileBytes::write(root.filePath(userFile == u"-" ? kUser : kUser + u'/' + userFile),
                                 "own"));
    }
    ProgramFolders folders = ProgramFolders::decide(
        root.filePath(kProgram), writable, root.filePath(kInstalled), root.filePath(kUser));
    QCOMPARE(folders.adoptDataFiles(kDataFiles), adopted);
    QCOMPARE(folders.dataDir(), QDir::toNativeSeparators(root.filePath(
                                    writable || userFile == u"-" ? kProgram : kUser)));
    for (const QString &name : kDataFiles) {
        const QString copy = root.filePath(kUser + u'/' + name);
        QCOMPARE(FileBytes::read(copy), adopted.contains(name) ? name.toUtf8()
                                        : name == userFile     ? "own"
                                                               : QByteArray());
        if (adopted.contains(name))
            QCOMPARE(QFile::permissions(copy), kPrivateFile);
    }
    QVERIFY(!QFileInfo::exists(nowhere));
}

QTEST_APPLESS_MAIN(tst_programfolders)
#include "tst_programfolders.moc"
