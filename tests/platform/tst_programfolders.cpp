#include "platform/ProgramFolders.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

const QString kProgram = u"usr/bin"_s;
const QString kInstalled = u"usr/share/talk/voices"_s;
const QString kUser = u"home/.local/share/Talk"_s;
const QFile::Permissions kPrivateFolder = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                          QFile::ReadUser | QFile::WriteUser | QFile::ExeUser;

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
        QVERIFY(QDir().mkpath(root.filePath(holder)) &&
                QFile(root.filePath(holder + u"/あ.wav"_s)).open(QIODevice::WriteOnly));
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
    QTest::addColumn<QStringList>("userFiles"); // already in the user's folder
    QTest::addColumn<QStringList>("adopted");
    QTest::addColumn<QString>("dataDir");
    const QStringList both{u"Talk.txt"_s, u"day.txt"_s};
    QTest::newRow("read-only copy: both copied") << false << QStringList() << both << kUser;
    QTest::newRow("the user's own list is never replaced")
        << false << QStringList{u"Talk.txt"_s} << QStringList{u"day.txt"_s} << kUser;
    QTest::newRow("writable copy keeps its files")
        << true << QStringList() << QStringList() << kProgram;
    // A file where the user's folder would go: the files are read where they are.
    QTest::newRow("no user folder") << false << QStringList{u"-"_s} << QStringList() << kProgram;
}

void tst_programfolders::adoptDataFiles()
{
    QFETCH(bool, writable);
    QFETCH(QStringList, userFiles);
    QTemporaryDir root;
    const auto write = [&](const QString &path, const QByteArray &bytes) {
        QFile file(root.filePath(path));
        QVERIFY(QDir().mkpath(QFileInfo(file).absolutePath()) && file.open(QIODevice::WriteOnly) &&
                file.write(bytes) == bytes.size());
    };
    const QByteArray sentences = "\"\x82\xa0\x82\xa2\"\r\n"; // "あい" in code page 932
    write(kProgram + u"/Talk.txt"_s, sentences);
    write(kProgram + u"/day.txt"_s, "\"26.12.08\",\"diary\"\r\n");
    if (userFiles == QStringList{u"-"_s})
        write(kUser, "in the way");
    else
        for (const QString &name : userFiles)
            write(kUser + u'/' + name, "the user's own");
    ProgramFolders folders = ProgramFolders::decide(
        root.filePath(kProgram), writable, root.filePath(kInstalled), root.filePath(kUser));
    QTEST(folders.adoptDataFiles({u"Talk.txt"_s, u"day.txt"_s}), "adopted");
    QFETCH(QString, dataDir);
    QCOMPARE(folders.dataDir(), QDir::toNativeSeparators(root.filePath(dataDir)));
    QFETCH(QStringList, adopted);
    for (const QString &name : {u"Talk.txt"_s, u"day.txt"_s}) {
        QFile copy(root.filePath(kUser + u'/' + name));
        QFile source(root.filePath(kProgram + u'/' + name));
        QVERIFY(source.open(QIODevice::ReadOnly));
        if (adopted.contains(name)) {
            QVERIFY(copy.open(QIODevice::ReadOnly));
            QCOMPARE(copy.readAll(), source.readAll());
            QCOMPARE(copy.permissions(),
                     QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser);
        } else if (userFiles.contains(name)) {
            QVERIFY(copy.open(QIODevice::ReadOnly));
            QCOMPARE(copy.readAll(), QByteArray("the user's own"));
        }
    }
}

QTEST_APPLESS_MAIN(tst_programfolders)
#include "tst_programfolders.moc"
