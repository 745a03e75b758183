#include "Fakes.h"
#include "FileBytes.h"
#include "transfer/DailyCopy.h"
#include "transfer/DataArchive.h"
#include "transfer/DataTransfer.h"
#include "transfer/TransferTexts.h"

#include <QCryptographicHash>
#include <QDirIterator>
#include <QSaveFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include <archive.h>
#include <archive_entry.h>

using namespace Qt::Literals::StringLiterals;

namespace {

// Commits `allowed` files, then fails the next one (a full disk, freed again when the failed
// file is gone) or stops the program there (a kill) by throwing.
class LimitedDisk final : public TextFile::Disk
{
  public:
    struct Killed
    {
    };
    LimitedDisk(int allowed, bool kill) : m_left(allowed), m_kill(kill) {}
    bool commit(QSaveFile &file) override
    {
        if (m_left-- != 0)
            return Disk::commit(file);
        if (m_kill)
            throw Killed{};
        file.cancelWriting();
        return false;
    }
    int left() const { return m_left; }

  private:
    int m_left;
    bool m_kill;
};

// A folder that takes no file.
class ReadOnlyDisk final : public TextFile::Disk
{
  public:
    bool commit(QSaveFile &file) override
    {
        file.cancelWriting();
        return false;
    }
};

// Every file under `dir` (backups aside) and every setting, to compare states whole.
QMap<QString, QByteArray> state(const QString &dir, QSettings &settings)
{
    QMap<QString, QByteArray> all;
    QDirIterator it(dir, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = QDir(dir).relativeFilePath(it.next());
        if (!path.startsWith(u"backup"_s))
            all.insert(path, FileBytes::read(it.filePath()));
    }
    settings.sync();
    for (const QString &key : settings.allKeys())
        all.insert(u"setting:"_s + key, settings.value(key).toByteArray());
    return all;
}

QByteArray manifestFor(const QByteArray &name, const QByteArray &bytes, int format = 1)
{
    return "Talk data " + QByteArray::number(format) + "\nprogram 1.3\n" +
           QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex() + '\t' +
           QByteArray::number(bytes.size()) + '\t' + name + '\n';
}

// A zip of a manifest listing `name` with `listed`, then the member `name` holding `bytes`,
// made by `shape` on its entry (nothing but that shape is wrong with it).
QByteArray craftedZip(const QByteArray &name, const QByteArray &listed, const QByteArray &bytes,
                      void (*shape)(archive_entry *))
{
    QByteArray zip(8192 + bytes.size(), '\0');
    size_t used = 0;
    archive *a = archive_write_new();
    archive_write_set_format_zip(a);
    archive_write_set_options(a, "zip:compression=store");
    archive_write_open_memory(a, zip.data(), size_t(zip.size()), &used);
    const auto add = [a](const QByteArray &path, const QByteArray &content, auto shapeEntry) {
        archive_entry *e = archive_entry_new();
        archive_entry_set_pathname(e, path.constData());
        archive_entry_set_filetype(e, AE_IFREG);
        archive_entry_set_size(e, content.size());
        shapeEntry(e);
        archive_write_header(a, e);
        archive_write_data(a, content.constData(), size_t(content.size()));
        archive_entry_free(e);
    };
    add("manifest.txt", manifestFor(name, listed), [](archive_entry *) {});
    add(name, bytes, shape);
    archive_write_close(a);
    archive_write_free(a);
    zip.truncate(qsizetype(used));
    return zip;
}

} // namespace

class tst_transfer : public QObject
{
    Q_OBJECT

    QTemporaryDir m_tmp;
    QString m_data;
    std::unique_ptr<QSettings> m_settings;
    const QDateTime m_now{QDate(2026, 12, 8), QTime(18, 30, 5)};

    void makeData()
    {
        QDir(m_tmp.path()).removeRecursively();
        QDir().mkpath(m_tmp.path());
        m_data = m_tmp.filePath(u"Talk"_s);
        const QByteArray generated = "RIFF generated";
        const QByteArray md5 = QCryptographicHash::hash(generated, QCryptographicHash::Md5).toHex();
        const std::pair<QString, QByteArray> files[] = {
            {u"Talk.txt"_s, "\x82\xa0\x82\xa2\r\n"},
            {u"day.txt"_s, "2026/12/08\tきょう\r\n"},
            {u"words.tsv"_s, "こんにちは\t3\n"},
            {u"あ.wav"_s, "RIFF own recording"},
            {u"か.wav"_s, generated},
            {u".generated-voices"_s, "header\nか\tか\t" + md5 + '\n'},
            {u"cues/読む.wav"_s, "RIFF own cue"},
            {u"voices-original/あ.wav"_s, "RIFF generated あ"},
            {u"voices-original/.generated-voices"_s, "あ\tあ\t0\n"},
        };
        for (const auto &[name, bytes] : files)
            QVERIFY(FileBytes::write(QDir(m_data).filePath(name), bytes));
        m_settings =
            std::make_unique<QSettings>(m_tmp.filePath(u"Talk.conf"_s), QSettings::IniFormat);
        m_settings->setValue(u"OPT/OPT1"_s, u"2"_s);
        m_settings->setValue(u"ACCESS/Mode"_s, u"1"_s);
        m_settings->sync();
    }

    QString exported()
    {
        const QString zip = m_tmp.filePath(u"f.zip"_s);
        const DataTransfer::Result result = DataTransfer(m_data, *m_settings).exportTo(zip);
        return result.ok ? zip : result.message;
    }

    void changeData()
    {
        QVERIFY(FileBytes::write(QDir(m_data).filePath(u"Talk.txt"_s), "changed\r\n"));
        QVERIFY(QFile::remove(QDir(m_data).filePath(u"day.txt"_s)));
        QVERIFY(FileBytes::write(QDir(m_data).filePath(u"い.wav"_s), "RIFF new own"));
        m_settings->setValue(u"OPT/OPT1"_s, u"0"_s);
        m_settings->setValue(u"QUICK/On"_s, u"1"_s);
    }

  private slots:
    void roundTripByteForByte()
    {
        makeData();
        const auto before = state(m_data, *m_settings);
        const QString zip = exported();
        changeData();
        const DataTransfer::Result result =
            DataTransfer(m_data, *m_settings).importFrom(zip, m_now);
        QVERIFY2(result.ok, qPrintable(result.message));
        QCOMPARE(state(m_data, *m_settings), before);
        // The data it replaced is kept whole, and a second import of it brings it back.
        const QString backup = QDir(m_data).filePath(u"backup-20261208-183005"_s);
        QCOMPARE(FileBytes::read(backup + u"/data/Talk.txt"_s), "changed\r\n");
        QCOMPARE(FileBytes::read(backup + u"/data/い.wav"_s), "RIFF new own");
        QVERIFY(!QFile::exists(backup + u"/data/か.wav"_s)); // generated: not the user's
        QVERIFY(!QFile::exists(QDir(m_data).filePath(u".import-pending"_s)));
    }

    void damagedRefused_data()
    {
        QTest::addColumn<QString>("damage");
        QTest::addColumn<QString>("reason");
        const auto row = [](const char *name, const QString &damage, const char16_t *reason) {
            QTest::newRow(name) << damage << TransferTexts::text(reason);
        };
        row("truncated", u"truncated"_s, TransferTexts::kNotAnArchive);
        row("changed byte", u"byte"_s, TransferTexts::kDamaged);
        row("manifest checksum", u"checksum"_s, TransferTexts::kChecksum);
        row("dot dot", u"../escape.txt"_s, TransferTexts::kForeignName);
        row("absolute", u"/tmp/escape.txt"_s, TransferTexts::kForeignName);
        row("inside but unknown kind", u"data/talk"_s, TransferTexts::kForeignName);
        row("symlink", u"symlink"_s, TransferTexts::kNotAFile);
        row("2 GB claimed", u"huge"_s, TransferTexts::kTooLarge);
        row("unknown version", u"version"_s, TransferTexts::kUnknownVersion);
        row("no manifest", u"nomanifest"_s, TransferTexts::kNoManifest);
        row("not a zip", u"foreign"_s, TransferTexts::kNotAnArchive);
    }

    void damagedRefused()
    {
        QFETCH(QString, damage);
        QFETCH(QString, reason);
        makeData();
        const QString zip = exported();
        QByteArray bytes = FileBytes::read(zip);
        const QByteArray text = "text\r\n";
        const auto zipped = [](const QByteArray &manifest, const QString &name,
                               const QByteArray &content) {
            QString error;
            return DataArchive::zip({{u"manifest.txt"_s, manifest}, {name, content}}, &error)
                .value_or(QByteArray());
        };
        if (damage == u"truncated"_s)
            bytes.chop(bytes.size() / 3);
        else if (damage == u"byte"_s) {
            // The second byte of Talk.txt's compressed data, behind its local header's name
            // and extra field.
            const qsizetype name = bytes.indexOf("data/Talk.txt");
            const int extra = uchar(bytes[name - 2]) | uchar(bytes[name - 1]) << 8;
            bytes[name + 13 + extra + 1] = char(bytes[name + 13 + extra + 1] ^ 0x20);
        } else if (damage == u"checksum"_s)
            bytes = zipped(manifestFor("data/Talk.txt", "TEXT\r\n"), u"data/Talk.txt"_s, text);
        else if (damage.contains(u'/'))
            bytes = zipped(manifestFor(damage.toUtf8(), text), damage, text);
        else if (damage == u"symlink"_s)
            bytes = craftedZip("data/Talk.txt", "", "", [](archive_entry *e) {
                archive_entry_set_filetype(e, AE_IFLNK);
                archive_entry_set_size(e, 0);
                archive_entry_set_symlink(e, "/etc/passwd");
            });
        else if (damage == u"huge"_s) {
            // Both of the member's headers claim 2 GB (stored: compressed and plain sizes).
            bytes = craftedZip("data/Talk.txt", text, text, [](archive_entry *) {});
            const QByteArray name = "data/Talk.txt";
            qsizetype local = -1;
            while ((local = bytes.indexOf("PK\x03\x04", local + 1)) >= 0 &&
                   bytes.mid(local + 30, name.size()) != name) {
            }
            const qsizetype central = bytes.lastIndexOf(name) - 46;
            for (const qsizetype at : {local + 18, local + 22, central + 20, central + 24})
                qToLittleEndian<quint32>(0x80000000u, bytes.data() + at);
        } else if (damage == u"version"_s)
            bytes = zipped(manifestFor("data/Talk.txt", text, 2), u"data/Talk.txt"_s, text);
        else if (damage == u"nomanifest"_s)
            bytes = zipped("not a manifest", u"data/Talk.txt"_s, text)
                        .replace("manifest.txt", "manifest.old");
        else
            bytes = "PK\x03\x04 not really a zip";
        QVERIFY(!bytes.isEmpty());
        QVERIFY(FileBytes::write(zip, bytes));

        changeData();
        const auto changed = state(m_data, *m_settings);
        const DataTransfer::Result result =
            DataTransfer(m_data, *m_settings).importFrom(zip, m_now);
        QVERIFY(!result.ok);
        QVERIFY2(result.message.contains(reason), qPrintable(result.message));
        QCOMPARE(state(m_data, *m_settings), changed);
        QVERIFY(QDir(m_data).entryList({u"backup-*"_s}, QDir::Dirs).isEmpty());
        QVERIFY(!QFile::exists(m_tmp.filePath(u"escape.txt"_s)));
    }

    // A full disk at each write of the import, and a kill there followed by the next start:
    // the data is whole afterwards, the old or the new, never a mixture.
    void failurePartWayKeepsData_data()
    {
        QTest::addColumn<bool>("kill");
        QTest::newRow("full disk") << false;
        QTest::newRow("killed") << true;
    }

    void failurePartWayKeepsData()
    {
        QFETCH(bool, kill);
        makeData();
        LimitedDisk counting(-1, false);
        const QString zip = exported();
        changeData();
        QVERIFY(DataTransfer(m_data, *m_settings, counting).importFrom(zip, m_now).ok);
        const int writes = -1 - counting.left();
        QVERIFY(writes > 10);
        for (int allowed = 0; allowed < writes; ++allowed) {
            makeData();
            const QString again = exported();
            changeData();
            const auto changed = state(m_data, *m_settings);
            LimitedDisk disk(allowed, kill);
            try {
                QVERIFY(!DataTransfer(m_data, *m_settings, disk).importFrom(again, m_now).ok);
            } catch (const LimitedDisk::Killed &) {
                QVERIFY(DataTransfer(m_data, *m_settings).recoverInterrupted().ok);
            }
            QCOMPARE(state(m_data, *m_settings), changed);
        }
    }

    void dailyCopy()
    {
        makeData();
        MemorySettingsStore store;
        const QString backups = QDir(m_data).filePath(u"backups"_s);
        for (int day = 1; day <= 15; ++day)
            QVERIFY(QDir().mkpath(backups + u"/2026-11-%1"_s.arg(day, 2, 10, QChar(u'0'))));
        // A folder that takes no file: told once, then quiet until a copy succeeds.
        ReadOnlyDisk readOnly;
        QVERIFY(!DailyCopy(m_data, store, readOnly).run(QDate(2026, 12, 8)).isEmpty());
        QVERIFY(DailyCopy(m_data, store, readOnly).run(QDate(2026, 12, 8)).isEmpty());
        QCOMPARE(FileBytes::read(QDir(m_data).filePath(u"Talk.txt"_s)), "\x82\xa0\x82\xa2\r\n");

        QVERIFY(DailyCopy(m_data, store).run(QDate(2026, 12, 8)).isEmpty());
        const QString today = backups + u"/2026-12-08/"_s;
        for (const QString &name : {u"Talk.txt"_s, u"day.txt"_s, u"words.tsv"_s})
            QCOMPARE(FileBytes::read(today + name), FileBytes::read(QDir(m_data).filePath(name)));
        QVERIFY(!QFile::exists(today + u"あ.wav"_s));
        QCOMPARE(QDir(backups).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size(), 14);
        QVERIFY(!QFile::exists(backups + u"/2026-11-02"_s));
        // The day's first state stays; a later failure is told again.
        QVERIFY(FileBytes::write(QDir(m_data).filePath(u"Talk.txt"_s), "later\r\n"));
        QVERIFY(DailyCopy(m_data, store).run(QDate(2026, 12, 8)).isEmpty());
        QCOMPARE(FileBytes::read(today + u"Talk.txt"_s), "\x82\xa0\x82\xa2\r\n");
        QVERIFY(!DailyCopy(m_data, store, readOnly).run(QDate(2026, 12, 9)).isEmpty());
    }
};

QTEST_GUILESS_MAIN(tst_transfer)
#include "tst_transfer.moc"
