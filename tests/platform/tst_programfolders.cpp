#include "FileBytes.h"
#include "platform/PrivateTemp.h"
#include "platform/ProgramFolders.h"

#include <QDir>
#include <QFile>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <sys/wait.h>

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
    void privateTemp_data();
    void privateTemp();
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

// The speech engine's files hold what the user wrote: a 0700 folder where only the user may
// look, cleared of what killed runs left (pid 1 runs; an ended child does not).
void tst_programfolders::privateTemp_data()
{
    QTest::addColumn<QString>("runtime"); // XDG_RUNTIME_DIR: "700", "755" or "" (unset)
    QTest::addColumn<QString>("temp");    // TMPDIR: "temp" (there) or "missing"
    QTest::addColumn<QString>("base");    // where it goes
    QTest::newRow("the runtime folder") << u"700"_s << u"temp"_s << u"700"_s;
    QTest::newRow("runtime open to others") << u"755"_s << u"temp"_s << u"temp"_s;
    QTest::newRow("no runtime folder") << QString() << u"temp"_s << u"temp"_s;
    QTest::newRow("TMPDIR missing: /tmp, never /") << QString() << u"missing"_s << u"/tmp"_s;
}

void tst_programfolders::privateTemp()
{
    QFETCH(QString, runtime);
    QFETCH(QString, temp);
    QFETCH(QString, base);
    QTemporaryDir scratch;
    const QByteArray oldTemp = qgetenv("TMPDIR");
    const auto restore = qScopeGuard([&] { qputenv("TMPDIR", oldTemp); });
    for (const QString &mode : {u"700"_s, u"755"_s})
        QVERIFY(QDir().mkpath(scratch.filePath(mode)) &&
                QFile::setPermissions(scratch.filePath(mode),
                                      QFile::Permissions(mode == u"700"_s ? 0x7000 : 0x7055)));
    QVERIFY(QDir().mkpath(scratch.filePath(u"temp"_s)));
    qputenv("XDG_RUNTIME_DIR",
            runtime.isEmpty() ? QByteArray() : QFile::encodeName(scratch.filePath(runtime)));
    qputenv("TMPDIR", QFile::encodeName(scratch.filePath(temp)));
    const QString expected = base.startsWith(u'/') ? base : scratch.filePath(base);
    QCOMPARE(PrivateTemp::base(), expected);
    const pid_t ended = fork();
    if (ended == 0)
        _exit(0);
    waitpid(ended, nullptr, 0);
    // In the shared /tmp nothing is planted. The second naming is an earlier one.
    const QStringList left = {u"talk-speech-%1-AbCdEf"_s.arg(ended), u"talk-speech-XyZ123"_s,
                              u"talk-speech-1-AbCdEf"_s};
    const bool planted = base != u"/tmp"_s;
    for (const QString &dir : left)
        QVERIFY(!planted || FileBytes::write(expected + u'/' + dir + u"/1.txt"_s, "きょうは"));
    QString made;
    {
        const PrivateTemp folder(u"talk-speech"_s);
        made = folder.path();
        QVERIFY2(made.startsWith(expected + u"/talk-speech-%1-"_s.arg(getpid())), qPrintable(made));
        QCOMPARE(QFile::permissions(made) & QFile::Permissions(0x7077), QFile::Permissions(0x7000));
        for (const QString &dir : left)
            QCOMPARE(QFileInfo::exists(expected + u'/' + dir), planted && dir == left.last());
    }
    QVERIFY(!QFileInfo::exists(made));
}

QTEST_APPLESS_MAIN(tst_programfolders)
#include "tst_programfolders.moc"
