#include "platform/SingleInstance.h"

#include <QDir>
#include <QFile>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

class tst_singleinstance : public QObject
{
    Q_OBJECT

private slots:
    void secondInstanceIsRefused();
    void otherExecutableIsIndependent();
    void staleLockDoesNotBlock();
};

void tst_singleinstance::secondInstanceIsRefused()
{
    QTemporaryDir dir;
    const SingleInstance first(u"/opt/talk/talk"_s, dir.path());
    QVERIFY(first.isFirst());
    const SingleInstance second(u"/opt/talk/talk"_s, dir.path());
    QVERIFY(!second.isFirst());
}

void tst_singleinstance::otherExecutableIsIndependent()
{
    QTemporaryDir dir;
    const SingleInstance a(u"/opt/a/talk"_s, dir.path());
    const SingleInstance b(u"/opt/b/talk"_s, dir.path());
    QVERIFY(a.isFirst());
    QVERIFY(b.isFirst());
}

void tst_singleinstance::staleLockDoesNotBlock()
{
    QTemporaryDir dir;
    QString lockPath;
    {
        const SingleInstance crashed(u"/opt/talk/talk"_s, dir.path());
        QVERIFY(crashed.isFirst());
        const QStringList held = QDir(dir.path()).entryList({u"*.lock"_s}, QDir::Files);
        QCOMPARE(held.size(), 1);
        lockPath = dir.filePath(held.first());
    }
    // The lock a crash leaves behind: its owner's pid is no longer running on this host.
    QFile stale(lockPath);
    QVERIFY(stale.open(QIODevice::WriteOnly | QIODevice::Truncate));
    stale.write("999999\ntalk\n" + QSysInfo::machineHostName().toUtf8() + "\n");
    stale.close();
    const SingleInstance next(u"/opt/talk/talk"_s, dir.path());
    QVERIFY(next.isFirst());
}

QTEST_APPLESS_MAIN(tst_singleinstance)
#include "tst_singleinstance.moc"
