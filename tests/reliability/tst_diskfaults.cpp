// Saving when the disk refuses: the program folder on a small tmpfs that is full or
// remounted read-only. Needs root (mount); skipped with the reason elsewhere.
#include "SampleHelpers.h"
#include "TalkFixture.h"
#include "diary/DiaryFile.h"
#include "platform/FlexGrid.h"
#include "platform/TextBox.h"

#include <QFile>
#include <QTest>

#include <sys/mount.h>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;
using namespace SampleHelpers;

namespace {
// A tmpfs over the fixture's program folder for the life of the object.
class SmallDisk
{
  public:
    explicit SmallDisk(const QString &dir) : m_dir(QFile::encodeName(dir))
    {
        m_mounted =
            geteuid() == 0 && mount("tmpfs", m_dir.constData(), "tmpfs", 0, "size=64k") == 0;
    }
    ~SmallDisk()
    {
        if (m_mounted)
            umount2(m_dir.constData(), MNT_DETACH);
    }
    bool mounted() const { return m_mounted; }
    bool setReadOnly(bool readOnly)
    {
        const unsigned long flags = MS_REMOUNT | (readOnly ? MS_RDONLY : 0);
        return mount("tmpfs", m_dir.constData(), "tmpfs", flags, "size=64k") == 0;
    }

  private:
    QByteArray m_dir;
    bool m_mounted = false;
};

// Fills the file system with one file until a write fails.
void fill(const QString &path)
{
    QFile filler(path);
    if (!filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return;
    const QByteArray block(1024, 'x');
    while (filler.write(block) == block.size()) {
    }
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
    SmallDisk disk(f.programDir());
    if (!disk.mounted())
        QSKIP("needs root to mount a small tmpfs over the program folder");
    const QStringList sentences{u"あい"_s, u"かき"_s, u"さし"_s};
    writeSamples(f, sentences);
    f.writeFile(u"day.txt"_s, "\"26.12.06 きのう\"\r\n");
    const QByteArray samplesBefore = f.readFile(u"Talk.txt"_s);
    const QByteArray diaryBefore = f.readFile(u"day.txt"_s);
    frmTalk &w = f.create();
    const QString filler = f.filePath(u"filler"_s);
    if (readOnly)
        QVERIFY(disk.setReadOnly(true));
    else
        fill(filler);

    w.txtTalk->setText(u"たち_"_s);
    f.click("cmdSampADD");
    QCOMPARE(f.asker.asked.size(), 1);
    QCOMPARE(f.asker.asked[0].kind, 48);
    QCOMPARE(f.readFile(u"Talk.txt"_s), samplesBefore);
    for (const QString &s : sentences)
        QVERIFY2(column(w.grdEx, 1).contains(s), qPrintable(s));
    QCOMPARE(w.txtTalk->text(), u"たち_"_s);
    DiaryFile::LoadDiary(w);
    f.state.gDiaryRow = 0;
    QVERIFY(!DiaryFile::SaveDiary(w, u"きょう"_s));
    QCOMPARE(f.readFile(u"day.txt"_s), diaryBefore);

    // Space back: the next registration saves the whole list, the refused sentence too.
    if (readOnly)
        QVERIFY(disk.setReadOnly(false));
    else
        QVERIFY(QFile::remove(filler));
    w.txtTalk->setText(u"なに_"_s);
    f.click("cmdSampADD");
    QCOMPARE(f.asker.asked.size(), 1);
    for (const QString &s : sentences + QStringList{u"たち"_s, u"なに"_s})
        QVERIFY2(fileLines(f).contains(u'"' + s + u'"'), qPrintable(s));
    QVERIFY(DiaryFile::SaveDiary(w, u"きょう"_s));
    QVERIFY(f.readFile(u"day.txt"_s).contains("26.12.06"));
}

QTEST_MAIN(tst_diskfaults)
#include "tst_diskfaults.moc"
