#include "platform/SingleInstance.h"

#include <QDir>
#include <QFile>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

Q_DECLARE_METATYPE(SingleInstance::Found)

namespace {
const QString kProgram = u"/opt/talk/talk"_s;
// The name of the program's lock file in `dir`, found by taking the lock once.
QString lockPath(const QString &dir)
{
    const SingleInstance probe(kProgram, dir);
    return QDir(dir).filePath(QDir(dir).entryList({u"*.lock"_s}, QDir::Files).value(0));
}

// Makes `path` someone else's (as root: given away; else a file in its place, refused alike).
bool takeForSomeoneElse(const QString &path)
{
    if (geteuid() != 0)
        return QDir(path).removeRecursively() && QFile(path).open(QIODevice::WriteOnly);
    return QDir().mkpath(path) && chown(QFile::encodeName(path), 65534, 65534) == 0;
}
} // namespace

class tst_singleinstance : public QObject
{
    Q_OBJECT

  private slots:
    void onlyARunningInstanceBlocks_data();
    void onlyARunningInstanceBlocks();
};

void tst_singleinstance::onlyARunningInstanceBlocks_data()
{
    // What the lock folder holds: "running" (answering), "running, no window" (holding the
    // lock, never answering), "other program running", "no folder", "fifo", "link to device",
    // or a lock file's content; "long path": too long for a socket beside the lock.
    QTest::addColumn<QByteArray>("found");
    QTest::addColumn<SingleInstance::Found>("expected");
    using Found = SingleInstance::Found;
    const QByteArray host = QSysInfo::machineHostName().toUtf8();
    QTest::newRow("running instance") << "running"_ba << Found::Running;
    QTest::newRow("running instance, lock path too long for a socket")
        << "running, long path"_ba << Found::Running;
    QTest::newRow("running instance without a socket: its folder someone else's")
        << "running, long path, taken socket folder"_ba << Found::Running;
    QTest::newRow("running instance showing no window")
        << "running, no window"_ba << Found::RunningNoWindow;
    QTest::newRow("other program running") << "other program running"_ba << Found::Nothing;
    QTest::newRow("crashed instance") << "999999\ntalk\n" + host + "\n" << Found::Nothing;
    QTest::newRow("no folder for the lock") << "no folder"_ba << Found::Nothing;
    QTest::newRow("default: the user's runtime folder, not the shared temporary one")
        << "default folder"_ba << Found::Nothing;
    QTest::newRow("default, with the temporary runtime folder someone else's")
        << "someone else's runtime folder"_ba << Found::Nothing;
    QTest::newRow("FIFO at the lock path") << "fifo"_ba << Found::Nothing;
    QTest::newRow("link to /dev/zero at the lock path") << "link to device"_ba << Found::Nothing;
}

void tst_singleinstance::onlyARunningInstanceBlocks()
{
    QFETCH(QByteArray, found);
    QFETCH(SingleInstance::Found, expected);
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR"), tmp = qgetenv("TMPDIR"),
                     cache = qgetenv("XDG_CACHE_HOME");
    const auto restore = qScopeGuard([&] {
        for (const auto &[name, value] :
             {std::pair{"XDG_RUNTIME_DIR", runtime}, {"TMPDIR", tmp}, {"XDG_CACHE_HOME", cache}})
            value.isNull() ? qunsetenv(name) : qputenv(name, value);
    });
    QTemporaryDir dir;
    QString lockDir = dir.path();
    if (found.contains("long path")) {
        lockDir = dir.filePath(QString(90, u'l'));
        QVERIFY(QDir().mkpath(lockDir));
        qputenv("TMPDIR", QFile::encodeName(dir.path()));
    }
    const QString socketDir = u"%1/talk-%2"_s.arg(QDir::tempPath()).arg(geteuid());
    if (found.endsWith("taken socket folder"))
        QVERIFY(takeForSomeoneElse(socketDir));
    // The running instance answers from a thread of its own, as from its window's event loop.
    QThread windowThread;
    windowThread.start();
    QObject window;
    window.moveToThread(&windowThread);
    std::optional<SingleInstance> running;
    std::optional<SingleInstance> next;
    const auto stop = qScopeGuard([&] {
        next.reset();
        QMetaObject::invokeMethod(
            &window, [&] { running.reset(); }, Qt::BlockingQueuedConnection);
        windowThread.quit();
        windowThread.wait();
    });
    if (found.startsWith("running") && found != "running, no window") {
        QMetaObject::invokeMethod(
            &window, [&] { running.emplace(kProgram, lockDir); }, Qt::BlockingQueuedConnection);
    } else if (found == "running, no window") {
        running.emplace(kProgram, lockDir);
    } else if (found == "other program running") {
        running.emplace(u"/opt/other/talk"_s, lockDir);
    } else if (found == "no folder") {
        lockDir = dir.filePath(u"file"_s);
        QVERIFY(QFile(lockDir).open(QIODevice::WriteOnly));
    } else if (found == "default folder") {
        QVERIFY(QDir(lockDir).mkdir(u"runtime"_s,
                                    QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(dir.filePath(u"runtime"_s)));
        qputenv("TMPDIR", QFile::encodeName(lockDir));
        lockDir.clear();
    } else if (found == "someone else's runtime folder") {
        qunsetenv("XDG_RUNTIME_DIR");
        qputenv("TMPDIR", QFile::encodeName(lockDir));
        qputenv("XDG_CACHE_HOME", QFile::encodeName(dir.filePath(u"cache"_s)));
        const QString taken = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
        QVERIFY(taken.startsWith(lockDir) && takeForSomeoneElse(taken));
        lockDir.clear();
    } else if (found == "fifo" || found == "link to device") {
        // One it may not write to: opening it for the lock would wait for a writer for ever.
        const QByteArray path = QFile::encodeName(lockPath(lockDir));
        QVERIFY(QFile::remove(QString::fromLocal8Bit(path)));
        QVERIFY(found == "fifo" ? mkfifo(path, 0400) == 0 : symlink("/dev/zero", path) == 0);
    } else {
        QFile lock(lockPath(lockDir));
        QVERIFY(lock.open(QIODevice::WriteOnly | QIODevice::Truncate));
        lock.write(found);
    }
    next.emplace(kProgram, lockDir);
    QCOMPARE(next->found(), expected);
    if (found == "default folder") {
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 0);
        QCOMPARE(QDir(dir.filePath(u"runtime"_s)).entryList({u"*.lock"_s}).size(), 1);
    }
    if (found == "someone else's runtime folder") // its own instead, rwx for the owner only
        QCOMPARE(QFile::permissions(dir.filePath(u"cache/%1/instance"_s.arg(qAppName()))),
                 QFile::Permissions(0x7700));
    if (found.endsWith("taken socket folder"))
        QVERIFY(QDir(socketDir).entryList(QDir::System).isEmpty());
    if (next->isFirst() && found != "no folder") {
        // The lock it holds now is a sound one, until it is released.
        QVERIFY(!SingleInstance(kProgram, lockDir).isFirst());
        next->release();
        QVERIFY(SingleInstance(kProgram, lockDir).isFirst());
    }
}

QTEST_GUILESS_MAIN(tst_singleinstance)
#include "tst_singleinstance.moc"
