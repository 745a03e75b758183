#include "platform/SingleInstance.h"

#include <QDir>
#include <QFile>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>
#include <optional>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

namespace {
const QString kProgram = u"/opt/talk/talk"_s;

// The name of the program's lock file in `dir`, found by taking the lock once.
QString lockPath(const QString &dir)
{
    const SingleInstance probe(kProgram, dir);
    return QDir(dir).filePath(QDir(dir).entryList({u"*.lock"_s}, QDir::Files).value(0));
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
    // What the lock folder holds: "running", "other program running", "no folder" or a lock
    // file's content.
    QTest::addColumn<QByteArray>("found");
    QTest::addColumn<bool>("starts");
    const QByteArray host = QSysInfo::machineHostName().toUtf8();
    QTest::newRow("running instance") << "running"_ba << false;
    QTest::newRow("other program running") << "other program running"_ba << true;
    QTest::newRow("crashed instance") << "999999\ntalk\n" + host + "\n" << true;
    QTest::newRow("other machine") << QByteArray::number(getpid()) + "\ntalk\nelsewhere.invalid\n"
                                   << true;
    QTest::newRow("no folder for the lock") << "no folder"_ba << true;
}

void tst_singleinstance::onlyARunningInstanceBlocks()
{
    QFETCH(QByteArray, found);
    QFETCH(bool, starts);
    QTemporaryDir dir;
    QString lockDir = dir.path();
    std::optional<SingleInstance> running;
    if (found == "running") {
        running.emplace(kProgram, lockDir);
    } else if (found == "other program running") {
        running.emplace(u"/opt/other/talk"_s, lockDir);
    } else if (found == "no folder") {
        lockDir = dir.filePath(u"file"_s);
        QVERIFY(QFile(lockDir).open(QIODevice::WriteOnly));
    } else {
        QFile lock(lockPath(lockDir));
        QVERIFY(lock.open(QIODevice::WriteOnly | QIODevice::Truncate));
        lock.write(found);
    }
    const SingleInstance next(kProgram, lockDir);
    QCOMPARE(next.isFirst(), starts);
    if (!starts || found == "no folder")
        return;
    // The lock it holds now is a sound one.
    const SingleInstance third(kProgram, lockDir);
    QVERIFY(!third.isFirst());
}

QTEST_APPLESS_MAIN(tst_singleinstance)
#include "tst_singleinstance.moc"
