// Kills a process that saves a sample file in a loop, at random moments: after every kill the
// file holds either the old or the new content, never a mix.
#include "platform/TextFile.h"

#include <QCoreApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <csignal>

using namespace Qt::Literals::StringLiterals;

namespace {
// Two versions of a sample file: code page 932, and UTF-8 (the emoji).
QStringList samples(int generation)
{
    QStringList lines{u"\"ああああ日記ダミー消さないでね！\""_s};
    for (int i = 0; i < 3000; ++i)
        lines << u"\"%1 ありがとうございます %2\""_s.arg(generation ? u"😀"_s : u"1"_s).arg(i);
    return lines;
}

int saveLoop(const QString &path)
{
    for (int generation = 0;; generation = 1 - generation)
        TextFile::writeLines(path, samples(generation));
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
    const QString path = dir.filePath(u"Talk.txt"_s);
    TextFile::writeLines(path, samples(0));
    for (int kill = 0; kill < 200; ++kill) {
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(), {u"--save-loop"_s, path});
        QVERIFY(child.waitForStarted());
        QThread::msleep(5 + kill * 37 % 55); // moments spread over a save
        ::kill(pid_t(child.processId()), SIGKILL);
        QVERIFY(child.waitForFinished());
        const TextFile::ReadResult talk = TextFile::readLines(path);
        QVERIFY2(talk.lines == samples(0) || talk.lines == samples(1), "Talk.txt mixed");
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
