// Saving sentences and voices when the disk refuses: the program folder on a small tmpfs that
// is full or remounted read-only. Needs root (mount); skipped with the reason elsewhere.
#include "SampleHelpers.h"
#include "TalkFixture.h"
#include "platform/TextBox.h"
#include "record/VoiceStore.h"
#include "record/WavFile.h"

#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

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

// Fills the file system with one file until a write fails, to the last byte.
bool fill(const QString &path)
{
    QFile filler(path);
    if (!filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return false;
    for (const QByteArray &block : {QByteArray(1024, 'x'), QByteArray(1, 'x')}) {
        while (filler.write(block) == block.size()) {
        }
    }
    return true;
}

QByteArray read(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
} // namespace

class tst_diskfaults : public QObject
{
    Q_OBJECT

  private slots:
    void refusedSaveLosesNothing_data();
    void refusedSaveLosesNothing();
    void voicesOnAFullDisk_data();
    void voicesOnAFullDisk();
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

void tst_diskfaults::voicesOnAFullDisk_data()
{
    QTest::addColumn<bool>("restore"); // false: 保存 on the full disk; true: 元の声に戻す
    QTest::newRow("save") << false;
    QTest::newRow("restore") << true;
}

// Voices smaller than Qt's write buffer, whose failed flush a buffered save reports as success.
void tst_diskfaults::voicesOnAFullDisk()
{
    QFETCH(bool, restore);
    QTemporaryDir dir;
    const QByteArray mountPoint = QFile::encodeName(dir.path());
    if (geteuid() != 0 || !mountSmallDisk(mountPoint))
        QSKIP("needs root to mount a small tmpfs over the program folder");
    const auto unmount = qScopeGuard([&] { umount2(mountPoint.constData(), MNT_DETACH); });
    const QString voice = dir.filePath(u"あ.wav"_s);
    const QString original = dir.filePath(u"voices-original/あ.wav"_s);
    const QByteArray generated = WavFile::bytes(QList<qint16>(2000, 100), 22050);
    const QByteArray own = WavFile::bytes(QList<qint16>(2000, -100), 48000);
    QFile file(voice);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(generated) == generated.size());
    file.close();
    VoiceStore store(dir.path());
    if (restore)
        QVERIFY(store.keep(u"あ"_s, own));
    const QString filler = dir.filePath(u"filler"_s);
    QVERIFY(fill(filler));

    if (restore)
        QCOMPARE(store.restore(u"あ"_s), VoiceStore::Restored::Failed);
    else
        QVERIFY(!store.keep(u"あ"_s, own));
    QCOMPARE(read(voice), restore ? own : generated);
    QCOMPARE(QFileInfo::exists(original), restore); // never an original kept in part
    QCOMPARE(read(original), restore ? generated : QByteArray());

    // Space back: the same press now does what it says, from whole files.
    QVERIFY(QFile::remove(filler));
    if (restore)
        QCOMPARE(store.restore(u"あ"_s), VoiceStore::Restored::Done);
    else
        QVERIFY(store.keep(u"あ"_s, own));
    QCOMPARE(read(voice), restore ? generated : own);
    QCOMPARE(read(original), restore ? QByteArray() : generated);
}

QTEST_MAIN(tst_diskfaults)
#include "tst_diskfaults.moc"
