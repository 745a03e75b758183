#include "FileBytes.h"
#include "platform/PrivateTemp.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <sys/wait.h>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

namespace {

// The number of a process that has ended.
qint64 endedPid()
{
    const pid_t pid = fork();
    if (pid == 0)
        _exit(0);
    waitpid(pid, nullptr, 0);
    return pid;
}

} // namespace

// The speech engine's files hold what the user wrote: they live in a folder of the user's own.
class tst_privatetemp : public QObject
{
    Q_OBJECT

  private slots:
    void madePrivateWhereItIsSafe_data();
    void madePrivateWhereItIsSafe();
};

void tst_privatetemp::madePrivateWhereItIsSafe_data()
{
    QTest::addColumn<QString>("runtime"); // "private", "open" (0755) or "unset"
    QTest::addColumn<bool>("tempExists"); // TMPDIR names a folder that is there
    QTest::addColumn<QString>("base");    // where it goes: "runtime", "temp" or "/tmp"
    QTest::newRow("the runtime folder") << u"private"_s << true << u"runtime"_s;
    QTest::newRow("a runtime folder others may enter: the temporary folder")
        << u"open"_s << true << u"temp"_s;
    QTest::newRow("no runtime folder: the temporary folder") << u"unset"_s << true << u"temp"_s;
    QTest::newRow("no runtime folder, TMPDIR missing: /tmp, never /")
        << u"unset"_s << false << u"/tmp"_s;
}

void tst_privatetemp::madePrivateWhereItIsSafe()
{
    QFETCH(QString, runtime);
    QFETCH(bool, tempExists);
    QFETCH(QString, base);
    QTemporaryDir scratch;
    const QString runtimeDir = scratch.filePath(u"runtime"_s);
    const QString tempDir = scratch.filePath(u"temp"_s);
    QVERIFY(QDir().mkpath(runtimeDir));
    QVERIFY(QFile::setPermissions(runtimeDir,
                                  runtime == u"private"_s
                                      ? QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner
                                      : QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                            QFile::ReadOther | QFile::ExeOther));
    if (tempExists)
        QVERIFY(QDir().mkpath(tempDir));
    const QByteArray oldRuntime = qgetenv("XDG_RUNTIME_DIR"), oldTemp = qgetenv("TMPDIR");
    const auto restore = qScopeGuard([&] {
        qputenv("XDG_RUNTIME_DIR", oldRuntime);
        qputenv("TMPDIR", oldTemp);
    });
    if (runtime == u"unset"_s)
        qunsetenv("XDG_RUNTIME_DIR");
    else
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtimeDir));
    qputenv("TMPDIR", QFile::encodeName(tempDir));
    const QString expected = base == u"runtime"_s ? runtimeDir : base == u"temp"_s ? tempDir : base;
    QCOMPARE(PrivateTemp::base(), expected);

    // What runs that were killed left: the words of a trace. The folder of a running process
    // (pid 1) stays. In the shared /tmp nothing is planted.
    const bool planted = base != u"/tmp"_s;
    const QString stale = expected + u"/talk-speech-%1-AbCdEf"_s.arg(endedPid());
    const QString older = expected + u"/talk-speech-XyZ123"_s; // an earlier naming
    const QString running = expected + u"/talk-speech-1-AbCdEf"_s;
    for (const QString &dir : {stale, older, running})
        QVERIFY(!planted ||
                (QDir().mkpath(dir) && FileBytes::write(dir + u"/1.txt"_s, "きょうは")));
    QString made;
    {
        const PrivateTemp temp(u"talk-speech"_s);
        QVERIFY(temp.isValid());
        made = temp.path();
        QVERIFY2(made.startsWith(expected + u"/talk-speech-%1-"_s.arg(getpid())), qPrintable(made));
        const QFile::Permissions owner = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;
        const QFile::Permissions others = QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup |
                                          QFile::ReadOther | QFile::WriteOther | QFile::ExeOther;
        QCOMPARE(QFile::permissions(made) & (owner | others), owner);
        if (planted) {
            QVERIFY(!QFileInfo::exists(stale));
            QVERIFY(!QFileInfo::exists(older));
            QVERIFY(QFileInfo::exists(running + u"/1.txt"_s));
        }
    }
    QVERIFY(!QFileInfo::exists(made));
}

QTEST_GUILESS_MAIN(tst_privatetemp)
#include "tst_privatetemp.moc"
