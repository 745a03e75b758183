// Kills a process that saves the sample file and the diary in a loop, at random moments:
// after every kill each file holds either the old or the new content, never a mix.
#include "platform/TextFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <csignal>

using namespace Qt::Literals::StringLiterals;

namespace {
QStringList samples(int generation)
{
    QStringList lines{u"\"ああああ日記ダミー消さないでね！\""_s};
    for (int i = 0; i < 2000; ++i)
        lines << u"\"%1 ありがとうございます %2\""_s.arg(generation).arg(i);
    return lines;
}

QStringList diary(int generation)
{
    QStringList lines;
    for (int i = 0; i < 1500; ++i)
        lines << u"\"26.12.%1 きょうは😀げんき %2\""_s.arg(i % 28 + 1, 2, 10, QChar(u'0')).arg(generation);
    return lines;
}

int saveLoop(const QString &dir)
{
    for (int generation = 0;; generation = 1 - generation) {
        TextFile::writeLines(QDir(dir).filePath(u"Talk.txt"_s), samples(generation));
        TextFile::writeLines(QDir(dir).filePath(u"day.txt"_s), diary(generation));
    }
}
} // namespace

class tst_crashsafety : public QObject
{
    Q_OBJECT

private slots:
    void killedSavesLeaveOldOrNew();
};

void tst_crashsafety::killedSavesLeaveOldOrNew()
{
    QTemporaryDir dir;
    TextFile::writeLines(dir.filePath(u"Talk.txt"_s), samples(0));
    TextFile::writeLines(dir.filePath(u"day.txt"_s), diary(0));
    QRandomGenerator rng(20261207);
    const int kills = 200;
    for (int k = 0; k < kills; ++k) {
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(), {u"--save-loop"_s, dir.path()});
        QVERIFY(child.waitForStarted());
        QThread::msleep(rng.bounded(5, 60));
        ::kill(pid_t(child.processId()), SIGKILL);
        QVERIFY(child.waitForFinished());
        const auto talk = TextFile::readLines(dir.filePath(u"Talk.txt"_s));
        QVERIFY(talk.ok());
        QVERIFY2(talk.lines == samples(0) || talk.lines == samples(1), "Talk.txt mixed");
        const auto day = TextFile::readLines(dir.filePath(u"day.txt"_s));
        QVERIFY(day.ok());
        QVERIFY2(day.lines == diary(0) || day.lines == diary(1), "day.txt mixed");
    }
}

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc == 3 && qstrcmp(argv[1], "--save-loop") == 0)
        return saveLoop(QString::fromLocal8Bit(argv[2]));
    tst_crashsafety test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_crashsafety.moc"
