#include "platform/TextFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

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
    void missingAndUnreadable();
    void unreadableByPermission();
    void failedWriteKeepsOldFile();
    void unwritablePath();

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
    const auto cp932 = Encoding::Cp932;
    const auto utf8 = Encoding::Utf8;
    QTest::newRow("crlf") << "a\r\nb\r\n"_ba << QStringList{u"a"_s, u"b"_s} << cp932;
    QTest::newRow("lf") << "a\nb\n"_ba << QStringList{u"a"_s, u"b"_s} << cp932;
    QTest::newRow("no final end") << "a\r\nb"_ba << QStringList{u"a"_s, u"b"_s} << cp932;
    QTest::newRow("blank lines") << "\r\n\na\r\n\r\n"_ba << QStringList{u""_s, u""_s, u"a"_s, u""_s}
                                 << cp932;
    QTest::newRow("lone cr is content") << "a\rb\r\n"_ba << QStringList{u"a\rb"_s} << cp932;
    QTest::newRow("empty file") << ""_ba << QStringList{} << cp932;
    QTest::newRow("kana") << "\x82\xa9\xb1\r\n"_ba << QStringList{u"かｱ"_s} << cp932;
    QTest::newRow("nec-selected ibm") << "\xed\x40\r\n"_ba << QStringList{u"纊"_s} << cp932;
    QTest::newRow("utf8 without bom")
        << u"かな😀\nx"_s.toUtf8() << QStringList{u"かな😀"_s, u"x"_s} << utf8;
    QTest::newRow("bom, separator") << QByteArray::fromHex("efbbbf 61 e280a8 62 0d0a 63")
                                    << QStringList{u"a\nb"_s, u"c"_s} << utf8;
    QTest::newRow("bom only") << "\xEF\xBB\xBF"_ba << QStringList{} << utf8;
    // Bytes valid in neither: the lines still split; bad bytes become the converter's SUB.
    QTest::newRow("neither") << "a\x82\r\n\xff\r\n"_ba << QStringList{u"a\x1A"_s, u"\x1A"_s}
                             << cp932;
}

void tst_textfile::reads()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, lines);
    QFETCH(Encoding, encoding);
    const QString path = m_dir.filePath(u"read.txt"_s);
    QVERIFY(put(path, bytes));
    const TextFile::ReadResult result = TextFile::readLines(path);
    QCOMPARE(result.status, Status::Ok);
    QCOMPARE(result.lines, lines);
    QCOMPARE(result.encoding, encoding);
}

void tst_textfile::missingAndUnreadable()
{
    QCOMPARE(TextFile::readLines(m_dir.filePath(u"absent.txt"_s)).status, Status::Missing);
    const QString folder = m_dir.filePath(u"folder.txt"_s);
    QVERIFY(QDir().mkdir(folder));
    QCOMPARE(TextFile::readLines(folder).status, Status::Unreadable);
}

void tst_textfile::unreadableByPermission()
{
    if (geteuid() == 0)
        QSKIP("permissions do not block root");
    const QString path = m_dir.filePath(u"locked.txt"_s);
    QVERIFY(put(path, "a\r\n"));
    QVERIFY(QFile::setPermissions(path, QFileDevice::Permissions()));
    QCOMPARE(TextFile::readLines(path).status, Status::Unreadable);
}

void tst_textfile::failedWriteKeepsOldFile()
{
    // A file size limit makes the write itself fail, whoever runs the test.
    const QString path = m_dir.filePath(u"kept.txt"_s);
    QVERIFY(TextFile::writeLines(path, {u"old"_s}));
    const QByteArray old = contents(path);
    const QStringList big(2000, u"new line that does not fit"_s);

    rlimit saved{};
    QCOMPARE(getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit small = saved;
    small.rlim_cur = 256;
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool written = TextFile::writeLines(path, big);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    QVERIFY(!written);
    QCOMPARE(contents(path), old);
    QCOMPARE(QDir(m_dir.path()).entryList({u"kept.txt*"_s}, QDir::Files),
             QStringList{u"kept.txt"_s});
}

void tst_textfile::unwritablePath()
{
    const QString notAFolder = m_dir.filePath(u"plain.txt"_s);
    QVERIFY(put(notAFolder, "x"));
    QVERIFY(!TextFile::writeLines(notAFolder + u"/inside.txt"_s, {u"a"_s}));
    QCOMPARE(contents(notAFolder), "x"_ba);
}

QTEST_APPLESS_MAIN(tst_textfile)
#include "tst_textfile.moc"
