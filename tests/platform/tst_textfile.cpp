#include "platform/TextFile.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>
#include <sys/stat.h>

using namespace Qt::Literals::StringLiterals;
using TextFile::Encoding;
using Status = TextFile::ReadResult::Status;

namespace {
QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool put(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}

QByteArray utf16(const QString &text, QStringEncoder::Encoding order)
{
    QStringEncoder encoder(order);
    return encoder.encode(text);
}

// A disk on which one step of a save fails. The rename fails for real: a folder that is not
// empty takes the file's place just before it.
class FailingDisk final : public TextFile::Disk
{
  public:
    enum Step
    {
        Sync,
        Rename,
        FolderSync
    };
    explicit FailingDisk(Step step) : m_step(step) {}
    bool syncData(int fd) override { return m_step != Sync && Disk::syncData(fd); }
    bool commit(QSaveFile &file) override
    {
        if (m_step == Rename) {
            QFile::remove(file.fileName());
            QDir().mkpath(file.fileName() + u"/inside"_s);
        }
        return Disk::commit(file);
    }
    bool syncFolder(const QString &folder) override
    {
        return m_step != FolderSync && Disk::syncFolder(folder);
    }

  private:
    Step m_step;
};
} // namespace

class tst_textfile : public QObject
{
    Q_OBJECT

  private slots:
    void writesCp932_data();
    void writesCp932();
    void fallsBackToUtf8_data();
    void fallsBackToUtf8();
    void utf8Bytes();
    void reads_data();
    void reads();
    void onlyRegularFilesAreRead_data();
    void onlyRegularFilesAreRead();
    void failedStepIsReported_data();
    void failedStepIsReported();
    void keepCopyNeverReplacesOtherBytes();

  private:
    QTemporaryDir m_dir;
};

void tst_textfile::writesCp932_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QByteArray>("hex");
    QTest::newRow("ascii and kana")
        << QStringList{u"Ab 1"_s, u"ｱｲ"_s, u"かな"_s} << "41622031 0d0a b1b2 0d0a 82a982c8 0d0a"_ba;
    QTest::newRow("specials") << QStringList{u"～∥－￠￡￢"_s}
                              << "8160 8161 817c 8191 8192 81ca 0d0a"_ba;
    QTest::newRow("nec row 13") << QStringList{u"①㈱"_s} << "8740 878a 0d0a"_ba;
    QTest::newRow("ibm extension") << QStringList{u"纊"_s} << "fa5c 0d0a"_ba;
    QTest::newRow("blank lines") << QStringList{u""_s, u"a"_s, u""_s} << "0d0a 61 0d0a 0d0a"_ba;
    QTest::newRow("quotes and spaces") << QStringList{u" \"a,b\" "_s} << "20 22612c6222 20 0d0a"_ba;
    QTest::newRow("empty list") << QStringList{} << ""_ba;
}

void tst_textfile::writesCp932()
{
    QFETCH(QStringList, lines);
    QFETCH(QByteArray, hex);
    const QString path = m_dir.filePath(u"cp932.txt"_s);
    QVERIFY(put(path, QByteArray(64, 'x'))); // longer old content must not survive
    QCOMPARE(TextFile::encodingFor(lines), Encoding::Cp932);
    QVERIFY(TextFile::writeLines(path, lines));
    QCOMPARE(contents(path).toHex(), QByteArray::fromHex(hex).toHex());

    const TextFile::ReadResult back = TextFile::readLines(path);
    QCOMPARE(back.status, Status::Ok);
    QCOMPARE(back.encoding, Encoding::Cp932);
    QCOMPARE(back.lines, lines);
}

void tst_textfile::fallsBackToUtf8_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("readBack");
    QTest::newRow("emoji") << u"かな😀"_s << u"かな😀"_s;
    QTest::newRow("yen sign") << u"¥100"_s << u"¥100"_s;
    QTest::newRow("minus sign") << u"1\u22122"_s << u"1\u22122"_s;
    QTest::newRow("lf inside") << u"a\nb"_s << u"a\nb"_s;
    QTest::newRow("crlf inside") << u"a\r\nb"_s << u"a\nb"_s;
    QTest::newRow("cr inside") << u"a\rb"_s << u"a\nb"_s;
    // Code page 932 bytes that would read back as UTF-8 or EUC-JP.
    QTest::newRow("looks like utf-8") << u"ﾃｽﾄｱ"_s << u"ﾃｽﾄｱ"_s;
    QTest::newRow("looks like euc-jp") << u"､｢､､"_s << u"､｢､､"_s;
}

void tst_textfile::fallsBackToUtf8()
{
    QFETCH(QString, line);
    QFETCH(QString, readBack);
    const QStringList lines{u"first"_s, line, u"last"_s};
    const QString path = m_dir.filePath(u"utf8.txt"_s);
    QCOMPARE(TextFile::encodingFor(lines), Encoding::Utf8);
    QVERIFY(TextFile::writeLines(path, lines));
    const QByteArray bytes = contents(path);
    QVERIFY(bytes.startsWith("\xEF\xBB\xBF"));
    QVERIFY(bytes.endsWith("last\r\n"));
    QVERIFY(!bytes.contains("\xFC\xFC"));

    const TextFile::ReadResult back = TextFile::readLines(path);
    QCOMPARE(back.status, Status::Ok);
    QCOMPARE(back.encoding, Encoding::Utf8);
    QCOMPARE(back.lines, (QStringList{u"first"_s, readBack, u"last"_s}));
}

void tst_textfile::utf8Bytes()
{
    const QString path = m_dir.filePath(u"utf8bytes.txt"_s);
    QVERIFY(TextFile::writeLines(path, {u"¥"_s, u"a\r\nb"_s}));
    QCOMPARE(contents(path).toHex(), "efbbbfc2a50d0a61e280a8620d0a"_ba);
}

void tst_textfile::reads_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<Encoding>("encoding");
    QTest::addColumn<bool>("clean");
    const auto cp932 = Encoding::Cp932;
    const auto utf8 = Encoding::Utf8;
    const QStringList ab{u"a"_s, u"b"_s};
    const QString mixed = u"あ\r\nb\rc"_s;
    const QStringList mixedLines{u"あ"_s, u"b"_s, u"c"_s};
    QTest::newRow("crlf") << "a\r\nb\r\n"_ba << ab << cp932 << true;
    QTest::newRow("lf") << "a\nb\n"_ba << ab << cp932 << true;
    QTest::newRow("no final end") << "a\r\nb"_ba << ab << cp932 << true;
    QTest::newRow("blank lines") << "\r\n\na\r\n\r\n"_ba << QStringList{u""_s, u""_s, u"a"_s, u""_s}
                                 << cp932 << true;
    QTest::newRow("lone cr ends a line") << "a\rb\r"_ba << ab << cp932 << true;
    QTest::newRow("cr, then crlf")
        << "a\r\r\nb"_ba << QStringList{u"a"_s, u""_s, u"b"_s} << cp932 << true;
    QTest::newRow("empty file") << ""_ba << QStringList{} << cp932 << true;
    QTest::newRow("kana, tab") << "\x82\xa9\xb1\t\r\n"_ba << QStringList{u"かｱ\t"_s} << cp932
                               << true;
    QTest::newRow("nec-selected ibm") << "\xed\x40\r\n"_ba << QStringList{u"纊"_s} << cp932 << true;
    QTest::newRow("utf8 without bom")
        << u"かな😀\nx"_s.toUtf8() << QStringList{u"かな😀"_s, u"x"_s} << utf8 << true;
    QTest::newRow("short utf8 that is also cp932")
        << u"あい"_s.toUtf8() << QStringList{u"あい"_s} << utf8 << true;
    QTest::newRow("bom, separator") << QByteArray::fromHex("efbbbf 61 e280a8 62 0d0a 63")
                                    << QStringList{u"a\nb"_s, u"c"_s} << utf8 << true;
    QTest::newRow("bom only") << "\xEF\xBB\xBF"_ba << QStringList{} << utf8 << true;
    QTest::newRow("utf-16 le, bom") << "\xFF\xFE"_ba + utf16(mixed, QStringEncoder::Utf16LE)
                                    << mixedLines << Encoding::Utf16Le << true;
    QTest::newRow("utf-16 be, bom") << "\xFE\xFF"_ba + utf16(mixed, QStringEncoder::Utf16BE)
                                    << mixedLines << Encoding::Utf16Be << true;
    // Without a mark the byte order is a guess, so the original is kept.
    QTest::newRow("utf-16 le") << utf16(mixed, QStringEncoder::Utf16LE) << mixedLines
                               << Encoding::Utf16Le << false;
    QTest::newRow("utf-16 be") << utf16(mixed, QStringEncoder::Utf16BE) << mixedLines
                               << Encoding::Utf16Be << false;
    // Kept whole, but not clean: a cut last byte, a lone surrogate.
    QTest::newRow("utf-16, odd size") << "\xFF\xFE"
                                         "a\0b"_ba
                                      << QStringList{u"a\uFFFD"_s} << Encoding::Utf16Le << false;
    QTest::newRow("utf-16, lone surrogate")
        << "\xFF\xFE"
           "\x00\xD8"
           "a\0"_ba
        << QStringList{QString(QChar(0xD800)) + u"a"_s} << Encoding::Utf16Le << false;
    // EUC-JP kana are valid code page 932 half-width katakana: read as EUC-JP, as a guess.
    QTest::newRow("euc-jp kana") << "\xA4\xA2\xA4\xA4\r\n\xA4\xA6"_ba
                                 << QStringList{u"あい"_s, u"う"_s} << Encoding::EucJp << false;
    QTest::newRow("euc-jp kanji") << "\xC6\xFC\xB5\xAD\r\n"_ba << QStringList{u"日記"_s}
                                  << Encoding::EucJp << false;
    QTest::newRow("half-width katakana stay cp932")
        << "\xB1\xD8\xB6\xDE\xC4\xB3\r\n"_ba << QStringList{u"ｱﾘｶﾞﾄｳ"_s} << cp932 << true;
    // Bytes valid in no encoding: the lines still split; bad bytes become the converter's SUB.
    QTest::newRow("bad cp932 pair")
        << "\x82\xA0\x82\x20z\r\nok"_ba << QStringList{u"あ\x1A z"_s, u"ok"_s} << cp932 << false;
    QTest::newRow("neither") << "a\x82\r\n\xff\r\n"_ba << QStringList{u"a\x1A"_s, u"\x1A"_s}
                             << cp932 << false;
    QTest::newRow("cut off at the end")
        << "a\r\n\x82"_ba << QStringList{u"a"_s, u"\x1A"_s} << cp932 << false;
    QTest::newRow("zero byte") << "a\0b"_ba << QStringList{u"a\0b"_s} << cp932 << true;
}

void tst_textfile::reads()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, lines);
    QFETCH(Encoding, encoding);
    QFETCH(bool, clean);
    const QString path = m_dir.filePath(u"read.txt"_s);
    QVERIFY(put(path, bytes));
    const TextFile::ReadResult result = TextFile::readLines(path);
    QCOMPARE(result.status, Status::Ok);
    QCOMPARE(result.lines, lines);
    QCOMPARE(result.encoding, encoding);
    QCOMPARE(result.clean, clean);
}

void tst_textfile::onlyRegularFilesAreRead_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<Status>("status");
    QTest::newRow("missing") << u"absent.txt"_s << Status::Missing;
    QTest::newRow("folder") << u"folder"_s << Status::Unreadable;
    QTest::newRow("named pipe") << u"pipe"_s << Status::Unreadable;
    QTest::newRow("link to /dev/zero") << u"zero"_s << Status::Unreadable;
    QTest::newRow("under a file") << u"plain/inside"_s << Status::Unreadable;
    QTest::newRow("link to a file") << u"link"_s << Status::Ok;
}

void tst_textfile::onlyRegularFilesAreRead()
{
    QFETCH(QString, name);
    QFETCH(Status, status);
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(u"folder"_s));
    QCOMPARE(mkfifo(QFile::encodeName(dir.filePath(u"pipe"_s)).constData(), 0600), 0);
    QVERIFY(QFile::link(u"/dev/zero"_s, dir.filePath(u"zero"_s)));
    QVERIFY(put(dir.filePath(u"plain"_s), "\"a\"\r\n"));
    QVERIFY(QFile::link(dir.filePath(u"plain"_s), dir.filePath(u"link"_s)));
    const QString path = dir.filePath(name);
    QCOMPARE(TextFile::readLines(path).status, status);
    if (status == Status::Ok)
        return;
    // Nothing that is not a file is copied, so nothing is replaced either.
    QVERIFY(TextFile::keepCopy(path, QDateTime::currentDateTime()).isEmpty());
}

void tst_textfile::failedStepIsReported_data()
{
    QTest::addColumn<int>("step");
    QTest::addColumn<bool>("oldKept");
    QTest::newRow("data sync") << int(FailingDisk::Sync) << true;
    QTest::newRow("rename") << int(FailingDisk::Rename) << false;
    QTest::newRow("folder sync") << int(FailingDisk::FolderSync) << false;
}

void tst_textfile::failedStepIsReported()
{
    QFETCH(int, step);
    QFETCH(bool, oldKept);
    QTemporaryDir dir;
    const QString path = dir.filePath(u"kept.txt"_s);
    QVERIFY(TextFile::writeLines(path, {u"old"_s}));
    FailingDisk disk{FailingDisk::Step(step)};
    QVERIFY(!TextFile::writeLines(path, {u"new"_s}, disk));
    if (oldKept)
        QCOMPARE(contents(path), "old\r\n"_ba);
    // No half-written file is left beside it.
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot),
             QStringList{u"kept.txt"_s});
}

void tst_textfile::keepCopyNeverReplacesOtherBytes()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"Talk.txt"_s);
    const QByteArray original("\xFF\xFE\x00\xD8\x82");
    QVERIFY(put(path, original));
    const QDateTime at(QDate(2026, 12, 7), QTime(9, 5, 3));
    const QString copy = TextFile::keepCopy(path, at);
    QCOMPARE(copy, dir.filePath(u"Talk.txt.bak-20261207-090503"_s));
    QCOMPARE(contents(copy), original);
    QCOMPARE(TextFile::keepCopy(path, at), copy);
    QVERIFY(put(path, "other"));
    QVERIFY(TextFile::keepCopy(path, at).isEmpty());
    QCOMPARE(contents(copy), original);
}

QTEST_APPLESS_MAIN(tst_textfile)
#include "tst_textfile.moc"
