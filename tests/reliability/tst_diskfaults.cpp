// Saving when the disk refuses: the program folder on a small tmpfs that is full or
// remounted read-only. Needs root (mount); skipped with the reason elsewhere.
#include "SampleHelpers.h"

#include <QFile>
#include <QScopeGuard>

#include <sys/mount.h>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;
using namespace SampleHelpers;

namespace {
// Mounts a small tmpfs over `dir`, or mounts it again (MS_REMOUNT) read-only or writable.
bool mountSmallDisk(const QByteArray &dir, unsigned long flags = 0)
{
    return mount("tmpfs", dir.constData(), "tmpfs", flags, "size=64k") == 0;
}

// Fills the file system with one file until a write fails.
bool fill(const QString &path)
{
    QFile filler(path);
    if (!filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return false;
    const QByteArray block(1024, 'x');
    while (filler.write(block) == block.size()) {
    }
    return true;
}
} // namespace

class tst_diskfaults : public QObject
{
    Q_OBJECT

  private slots:
    void refusedSaveLosesNothing_data();
    void refusedSaveLosesNothing();
};

void tst_diskfaults::refusedSaveLosesNothing_data()
{
    QTest::addColumn<bool>("readOnly");
    QTest::newRow("full disk") << false;
    QTest::newRow("read-only folder") << true;
}

void tst_diskfaults::refusedSaveLosesNothing()
{
    QFETCH(bool, readOnly);
    TalkFixture f;
    const QByteArray dir = QFile::encodeName(f.programDir());
    if (geteuid() != 0 || !mountSmallDisk(dir))
        QSKIP("needs root to mount a small tmpfs over the program folder");
    const auto unmount = qScopeGuard([&] { umount2(dir.constData(), MNT_DETACH); });
    const QStringList sentences{u"あい"_s, u"かき"_s, u"さし"_s};
    writeSamples(f, sentences);
    const QByteArray samplesBefore = f.readFile(u"Talk.txt"_s);
    frmTalk &w = f.create();
    const QString filler = f.filePath(u"filler"_s);
    QVERIFY(readOnly ? mountSmallDisk(dir, MS_REMOUNT | MS_RDONLY) : fill(filler));

    w.txtTalk->setText(u"たち_"_s);
    f.click("cmdSampADD");
    QCOMPARE(f.asker.asked.size(), 1); // the refusal is told
    QCOMPARE(f.readFile(u"Talk.txt"_s), samplesBefore);
    QCOMPARE(w.txtTalk->text(), u"たち_"_s);

    // Space back: the next registration saves the whole list, the refused sentence too.
    QVERIFY(readOnly ? mountSmallDisk(dir, MS_REMOUNT) : QFile::remove(filler));
    w.txtTalk->setText(u"なに_"_s);
    f.click("cmdSampADD");
    QCOMPARE(f.asker.asked.size(), 1);
    for (const QString &s : sentences + QStringList{u"たち"_s, u"なに"_s})
        QVERIFY2(fileLines(f).contains(u'"' + s + u'"'), qPrintable(s));
}

QTEST_MAIN(tst_diskfaults)
#include "tst_diskfaults.moc"
