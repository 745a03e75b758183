#include "FileBytes.h"
#include "platform/TextFile.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSaveFile>
#include <QTemporaryDir>
#include <QTest>
#include <sys/stat.h>

using namespace Qt::Literals::StringLiterals;
using Status = TextFile::ReadResult::Status;

namespace {
// A disk on which the rename of a save fails for real: a folder that is not empty takes the
// file's place just before it.
class FailingRename final : public TextFile::Disk
{
  public:
    bool commit(QSaveFile &file) override
    {
        if (QFile::remove(file.fileName()))
            QDir().mkpath(file.fileName() + u"/inside"_s);
        return Disk::commit(file);
    }
};
} // namespace

class tst_textfile : public QObject
{
    Q_OBJECT

  private slots:
    void writes_data();
    void writes();
    void reads_data();
    void reads();
    void onlyRegularFilesAreReadAndCopied_data();
    void onlyRegularFilesAreReadAndCopied();
    void failedRenameIsReported();

  private:
    QTemporaryDir m_dir;
};

void tst_textfile::writes_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QByteArray>("hex"); // the whole file
    // Kana, the characters in which code page 932 differs from Shift_JIS, NEC and IBM rows,
    // blank lines.
    QTest::newRow("code page 932")
        << QStringList{u""_s, u"Ab ｱ"_s, u"か～∥－￠￡￢"_s, u"①㈱纊"_s, u""_s}
        << "0d0a 416220b1 0d0a 82a9 8160 8161 817c 8191 8192 81ca 0d0a 8740878afa5c 0d0a 0d0a"_ba;
    // Code page 932 cannot hold these, or a line break inside a line: UTF-8 with a mark,
    // a line break inside a line as U+2028.
    QTest::newRow("yen sign, emoji, line breaks")
        << QStringList{u"¥😀"_s, u"a\r\nb\rc\nd"_s}
        << "efbbbf c2a5f09f9880 0d0a 61e280a862e280a863e280a864 0d0a"_ba;
    // Code page 932 bytes that would read back as UTF-8 or as EUC-JP.
    QTest::newRow("looks like utf-8")
        << QStringList{u"ﾃｽﾄｱ"_s} << "efbbbf efbe83efbdbdefbe84efbdb1 0d0a"_ba;
    QTest::newRow("looks like euc-jp") << QStringList{u"､｢"_s} << "efbbbf efbda4efbda2 0d0a"_ba;
}

// The bytes written over a longer old file, and the lines read back (a line break inside a
// line as "\n").
void tst_textfile::writes()
{
    QFETCH(QStringList, lines);
    QFETCH(QByteArray, hex);
    const QString path = m_dir.filePath(u"written.txt"_s);
    QVERIFY(FileBytes::write(path, QByteArray(64, 'x')));
    QVERIFY(TextFile::writeLines(path, lines));
    QCOMPARE(FileBytes::read(path).toHex(), QByteArray::fromHex(hex).toHex());
    const TextFile::ReadResult back = TextFile::readLines(path);
    QCOMPARE(back.lines, lines.replaceInStrings(QRegularExpression(u"\r\n?"_s), u"\n"_s));
    QVERIFY(back.clean);
}

void tst_textfile::reads_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<bool>("clean");
    const QStringList mixed{u"あ"_s, u"b"_s, u"c"_s}; // "あ\r\nb\rc" below
    QTest::newRow("line ends") << "\r\na\r\nb\nc\r\r\nd"_ba
                               << QStringList{u""_s, u"a"_s, u"b"_s, u"c"_s, u""_s, u"d"_s} << true;
    QTest::newRow("half-width katakana stay cp932")
        << "\xB1\xD8\xB6\xDE\xC4\xB3\r\n"_ba << QStringList{u"ｱﾘｶﾞﾄｳ"_s} << true;
    QTest::newRow("utf-8 that is also cp932")
        << u"あい"_s.toUtf8() << QStringList{u"あい"_s} << true;
    QTest::newRow("utf-16 le, bom")
        << QByteArray::fromHex("fffe 4230 0d000a00 6200 0d00 6300") << mixed << true;
    QTest::newRow("utf-16 be, bom")
        << QByteArray::fromHex("feff 3042 000d000a 0062 000d 0063") << mixed << true;
    // Without a mark the byte order is a guess, so the original is kept.
    QTest::newRow("utf-16 le") << QByteArray::fromHex("4230 0d000a00 6200 0d00 6300") << mixed
                               << false;
    QTest::newRow("utf-16 be") << QByteArray::fromHex("3042 000d000a 0062 000d 0063") << mixed
                               << false;
    // Kept whole, but not clean: a cut last byte, a lone surrogate.
    QTest::newRow("utf-16, odd size")
        << QByteArray::fromHex("fffe 6100 62") << QStringList{u"a\uFFFD"_s} << false;
    QTest::newRow("utf-16, lone surrogate")
        << QByteArray::fromHex("fffe 00d8 6100") << QStringList{QString(QChar(0xD800)) + u"a"_s}
        << false;
    // EUC-JP kana are valid code page 932 half-width katakana: read as EUC-JP, as a guess.
    QTest::newRow("euc-jp kana") << "\xA4\xA2\xA4\xA4\r\n\xA4\xA6"_ba
                                 << QStringList{u"あい"_s, u"う"_s} << false;
    // Bytes valid in no encoding: the lines still split; bad bytes become the converter's SUB,
    // a lead byte cut off by a line end or the file's end too.
    QTest::newRow("bytes no encoding holds")
        << "\x82\xA0\x82\x20z\r\na\x82\r\n\xff\r\n\x82"_ba
        << QStringList{u"あ\x1A z"_s, u"a\x1A"_s, u"\x1A"_s, u"\x1A"_s} << false;
    QTest::newRow("zero byte") << "a\0b"_ba << QStringList{u"a\0b"_s} << true;
}

void tst_textfile::reads()
{
    QFETCH(QByteArray, bytes);
    const QString path = m_dir.filePath(u"read.txt"_s);
    QVERIFY(FileBytes::write(path, bytes));
    const TextFile::ReadResult result = TextFile::readLines(path);
    QCOMPARE(result.status, Status::Ok);
    QTEST(result.lines, "lines");
    QTEST(result.clean, "clean");
}

void tst_textfile::onlyRegularFilesAreReadAndCopied_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<Status>("status");
    QTest::newRow("missing") << u"absent.txt"_s << Status::Missing;
    QTest::newRow("named pipe") << u"pipe"_s << Status::Unreadable;
    QTest::newRow("link to /dev/zero") << u"zero"_s << Status::Unreadable;
    QTest::newRow("under a file") << u"plain/inside"_s << Status::Unreadable;
    QTest::newRow("link to a file") << u"link"_s << Status::Ok;
}

// A regular file is copied byte for byte, but never over a copy of that name with other
// bytes; nothing that is not a file is copied.
void tst_textfile::onlyRegularFilesAreReadAndCopied()
{
    QFETCH(QString, name);
    QFETCH(Status, status);
    QTemporaryDir dir;
    QCOMPARE(mkfifo(QFile::encodeName(dir.filePath(u"pipe"_s)).constData(), 0600), 0);
    QVERIFY(QFile::link(u"/dev/zero"_s, dir.filePath(u"zero"_s)));
    QVERIFY(FileBytes::write(dir.filePath(u"plain"_s), "\xFF\xFE\x00\xD8\x82"_ba));
    QVERIFY(QFile::link(dir.filePath(u"plain"_s), dir.filePath(u"link"_s)));
    const QString path = dir.filePath(name);
    QCOMPARE(TextFile::readLines(path).status, status);
    const QDateTime at(QDate(2026, 12, 7), QTime(9, 5, 3));
    const QString copy = TextFile::keepCopy(path, at);
    QCOMPARE(copy.isEmpty(), status != Status::Ok);
    if (copy.isEmpty())
        return;
    QCOMPARE(copy, path + u".bak-20261207-090503"_s);
    QCOMPARE(FileBytes::read(copy), FileBytes::read(path));
    QCOMPARE(TextFile::keepCopy(path, at), copy);
    QVERIFY(FileBytes::write(path, "other"));
    QVERIFY(TextFile::keepCopy(path, at).isEmpty());
    QCOMPARE(FileBytes::read(copy), "\xFF\xFE\x00\xD8\x82"_ba);
}

// A save whose rename fails says so and leaves no half-written file beside the old one.
void tst_textfile::failedRenameIsReported()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"kept.txt"_s);
    QVERIFY(TextFile::writeLines(path, {u"old"_s}));
    FailingRename disk;
    QVERIFY(!TextFile::writeLines(path, {u"new"_s}, disk));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot),
             QStringList{u"kept.txt"_s});
}

QTEST_APPLESS_MAIN(tst_textfile)
#include "tst_textfile.moc"
