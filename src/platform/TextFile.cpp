#include "platform/TextFile.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QVarLengthArray>
#include <algorithm>
#include <optional>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

namespace TextFile {
namespace {

constexpr char cp932Name[] = "windows-31j";
constexpr char eucJpName[] = "EUC-JP";
constexpr QChar lineSeparator(0x2028);
constexpr QByteArrayView utf8Bom("\xEF\xBB\xBF");
constexpr QByteArrayView utf16LeBom("\xFF\xFE");
constexpr QByteArrayView utf16BeBom("\xFE\xFF");
// Far above any file the program writes (10,000 sentences take well under 1 MiB); a larger
// file is not one of ours and is left alone rather than read whole into memory.
constexpr qint64 kLargestFile = 64 * 1024 * 1024;
using Status = ReadResult::Status;
// The file's own byte-order mark is cut off before decoding; one at the start of a line is a
// character of that line (Qt would drop it at the start of every line decoded on its own).
constexpr auto unicodeFlags =
    QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom;

bool holdsLineBreak(const QString &line)
{
    return line.contains(u'\n') || line.contains(u'\r');
}

qsizetype joinedSize(const QStringList &lines)
{
    qsizetype size = 0;
    for (const QString &line : lines)
        size += line.size() + 2;
    return size;
}

// The code page 932 bytes of the lines, each followed by CR LF, or nothing when some line
// would not come back exactly as it went in. Lines are encoded straight into one buffer and
// checked through a small reused one, so a large file costs no second copy of its text.
std::optional<QByteArray> cp932Bytes(const QStringList &lines)
{
    QStringEncoder encoder(cp932Name, QStringEncoder::Flag::Stateless);
    QStringDecoder decoder(cp932Name, QStringDecoder::Flag::Stateless);
    if (!encoder.isValid() || !decoder.isValid())
        return std::nullopt;
    QByteArray bytes(encoder.requiredSpace(joinedSize(lines)), Qt::Uninitialized);
    char *out = bytes.data();
    QVarLengthArray<QChar, 256> back;
    for (const QString &line : lines) {
        if (holdsLineBreak(line))
            return std::nullopt;
        const char *start = out;
        out = encoder.appendToBuffer(out, line);
        back.resize(decoder.requiredSpace(out - start));
        const QChar *end = decoder.appendToBuffer(back.data(), QByteArrayView(start, out));
        if (encoder.hasError() || decoder.hasError() || QStringView(back.data(), end) != line)
            return std::nullopt;
        *out++ = '\r';
        *out++ = '\n';
    }
    bytes.truncate(out - bytes.constData());
    return bytes;
}

QByteArray utf8Bytes(const QStringList &lines)
{
    QString text;
    text.reserve(joinedSize(lines));
    for (const QString &line : lines) {
        if (holdsLineBreak(line)) {
            QString kept = line;
            kept.replace(u"\r\n"_s, QString(lineSeparator));
            kept.replace(u'\r', lineSeparator);
            kept.replace(u'\n', lineSeparator);
            text += kept;
        } else {
            text += line;
        }
        text += u"\r\n";
    }
    return utf8Bom.toByteArray() + text.toUtf8();
}

// Whether decoded UTF-16 holds whole characters only (Qt's decoder passes a lone half of a
// surrogate pair through without an error; no encoder can write it back).
bool wholeCharacters(QStringView text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (!c.isSurrogate())
            continue;
        if (!c.isHighSurrogate() || i + 1 == text.size() || !text[i + 1].isLowSurrogate())
            return false;
        ++i;
    }
    return true;
}

bool isLineEnd(QChar c)
{
    return c == u'\n' || c == u'\r';
}

// The length of the line end (CR LF, LF or CR) at `at`, 0 when there is none.
template <typename Text> qsizetype lineEndLength(const Text &text, qsizetype at)
{
    if (at >= text.size())
        return 0;
    if (text[at] == u'\n')
        return 1;
    if (text[at] != u'\r')
        return 0;
    return at + 1 < text.size() && text[at + 1] == u'\n' ? 2 : 1;
}

void appendLine(ReadResult &result, QStringView text, bool ok, bool unicode)
{
    if (!ok)
        result.clean = false;
    QString line = text.toString();
    if (unicode)
        line.replace(lineSeparator, u'\n');
    result.lines.append(std::move(line));
}

// Decodes the lines of data into result, splitting on CR LF, LF or a lone CR: bytes that
// neither code page 932, EUC-JP nor UTF-8 uses inside a character. Each line is decoded on
// its own through one reused buffer, so the file is never held a second time as one decoded
// text. A strict decoding gives up (false) at the first line that does not decode.
bool decodeLines(QByteArrayView data, QStringDecoder &decoder, bool unicode, bool strict,
                 ReadResult &result)
{
    result.lines.clear();
    result.lines.reserve(data.count('\n') + 1);
    QVarLengthArray<QChar, 512> buffer;
    qsizetype start = 0;
    while (start < data.size()) {
        const char *from = data.data() + start;
        const qsizetype end = std::find_if(from, data.data() + data.size(),
                                           [](char b) { return b == '\n' || b == '\r'; }) -
                              data.data();
        const qsizetype endLength = lineEndLength(data, end);
        // The line end is decoded with the line (the last line, without one, is given one), so
        // a character cut off by it becomes a replacement character instead of vanishing; the
        // end is then cut off the decoded text.
        QByteArrayView bytes = data.sliced(start, end + endLength - start);
        QByteArray lastLine;
        if (endLength == 0) {
            lastLine = bytes.toByteArray() + '\n';
            bytes = lastLine;
        }
        buffer.resize(decoder.requiredSpace(bytes.size()));
        QStringView text(buffer.data(), decoder.appendToBuffer(buffer.data(), bytes));
        const qsizetype decodedEnd = endLength == 0 ? 1 : endLength;
        for (qsizetype i = 0; i < decodedEnd && !text.isEmpty() && isLineEnd(text.back()); ++i)
            text.chop(1);
        const bool ok = !decoder.hasError();
        if (strict && !ok)
            return false;
        appendLine(result, text, ok, unicode);
        start = end + endLength;
    }
    return true;
}

// Decodes UTF-16 text whole. Without a byte-order mark the byte order was a guess, so the
// text is not clean: the original is kept before a save replaces it.
void decodeUtf16(QByteArrayView data, QStringDecoder::Encoding encoding, bool marked,
                 ReadResult &result)
{
    result.encoding = encoding == QStringDecoder::Utf16LE ? Encoding::Utf16Le : Encoding::Utf16Be;
    QStringDecoder decoder(encoding, unicodeFlags);
    const QString text = decoder.decode(data);
    // Qt's UTF-16 decoder turns a lone last byte into a replacement character.
    if (!marked || decoder.hasError() || data.size() % 2 != 0)
        result.clean = false;
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype end = start;
        while (end < text.size() && !isLineEnd(text[end]))
            ++end;
        const QStringView line = QStringView(text).sliced(start, end - start);
        appendLine(result, line, wholeCharacters(line), true);
        start = end + lineEndLength(text, end);
    }
}

// Which byte order a UTF-16 text without a byte-order mark has: the zero bytes of its ASCII
// characters (line ends at least) are the high bytes.
QStringDecoder::Encoding utf16Order(QByteArrayView data)
{
    qsizetype evenZeros = 0;
    qsizetype oddZeros = 0;
    for (qsizetype i = 0; i < data.size(); ++i)
        if (data[i] == '\0')
            ++(i % 2 == 0 ? evenZeros : oddZeros);
    return oddZeros >= evenZeros ? QStringDecoder::Utf16LE : QStringDecoder::Utf16BE;
}

bool strictly(QByteArrayView data, QStringDecoder decoder, Encoding encoding, bool unicode,
              ReadResult &result)
{
    result.encoding = encoding;
    return decoder.isValid() && decodeLines(data, decoder, unicode, true, result);
}

bool holdsC1Controls(const QStringList &lines)
{
    return std::any_of(lines.begin(), lines.end(), [](const QString &line) {
        return std::any_of(line.begin(), line.end(),
                           [](QChar c) { return c.unicode() >= 0x80 && c.unicode() < 0xA0; });
    });
}

// Whether text decoded from EUC-JP reads as Japanese: kana make up at least a quarter of
// the characters outside ASCII. Short kana texts in EUC-JP are also valid code page 932
// (as half-width katakana), so this is what tells the two apart.
bool mostlyKana(const QStringList &lines)
{
    qsizetype kana = 0;
    qsizetype wide = 0;
    for (const QString &line : lines) {
        for (const QChar c : line) {
            if (c.unicode() < 0x80)
                continue;
            ++wide;
            if (c.unicode() >= 0x3041 && c.unicode() <= 0x30FF)
                ++kana;
        }
    }
    return wide > 0 && kana * 4 >= wide;
}

// Opens only a regular file, without waiting on a named pipe (QFile has no such open: it
// would block until a writer comes), and reads it whole.
Status readRegularFile(const QString &path, QByteArray &data)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return errno == ENOENT ? Status::Missing : Status::Unreadable;
    QFile file;
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return Status::Unreadable;
    }
    struct stat info = {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_size > kLargestFile)
        return Status::Unreadable;
    data = file.readAll();
    return file.error() == QFileDevice::NoError ? Status::Ok : Status::Unreadable;
}

ReadResult decode(QByteArrayView data)
{
    ReadResult result;
    result.status = Status::Ok;
    QStringDecoder utf8(QStringDecoder::Utf8, unicodeFlags);
    if (data.startsWith(utf8Bom)) {
        result.encoding = Encoding::Utf8;
        decodeLines(data.sliced(utf8Bom.size()), utf8, true, false, result);
        return result;
    }
    if (data.startsWith(utf16LeBom) || data.startsWith(utf16BeBom)) {
        decodeUtf16(data.sliced(2),
                    data.startsWith(utf16LeBom) ? QStringDecoder::Utf16LE : QStringDecoder::Utf16BE,
                    true, result);
        return result;
    }
    // No text in the other encodings holds a zero byte; UTF-16 text does in every line end.
    if (data.contains('\0') && data.size() % 2 == 0) {
        decodeUtf16(data, utf16Order(data), false, result);
        return result;
    }
    const bool ascii = std::all_of(data.begin(), data.end(),
                                   [](char b) { return static_cast<unsigned char>(b) < 0x80; });
    // UTF-8 comes first: code page 932 text is almost never valid UTF-8, while short UTF-8
    // texts can be valid code page 932.
    if (!ascii && strictly(data, std::move(utf8), Encoding::Utf8, true, result))
        return result;
    // EUC-JP's decoder takes stray bytes as C1 controls; text that holds none is EUC-JP when
    // code page 932 fails, or when it reads as kana (short kana texts in EUC-JP are also valid
    // code page 932, as half-width katakana).
    ReadResult euc;
    const bool isEuc = !ascii &&
                       strictly(data, QStringDecoder(eucJpName, QStringDecoder::Flag::Stateless),
                                Encoding::EucJp, false, euc) &&
                       !holdsC1Controls(euc.lines);
    if (strictly(data, QStringDecoder(cp932Name, QStringDecoder::Flag::Stateless), Encoding::Cp932,
                 false, result) &&
        !(isEuc && mostlyKana(euc.lines)))
        return result;
    if (isEuc) {
        euc.status = Status::Ok;
        euc.clean = false; // a guess: the original bytes are kept before any save
        return euc;
    }
    result.encoding = Encoding::Cp932;
    QStringDecoder lenient(cp932Name, QStringDecoder::Flag::Stateless);
    decodeLines(data, lenient, false, false, result);
    result.clean = false;
    return result;
}

// The legacy bytes of the lines, or nothing when code page 932 cannot hold them or when the
// bytes would not read back as exactly these lines (they would look like UTF-8, UTF-16 or
// EUC-JP, as half-width katakana or a zero byte can).
std::optional<QByteArray> legacyBytes(const QStringList &lines)
{
    std::optional<QByteArray> bytes = cp932Bytes(lines);
    if (!bytes)
        return std::nullopt;
    const ReadResult back = decode(*bytes);
    if (!back.clean || back.lines != lines)
        return std::nullopt;
    return bytes;
}

} // namespace

bool Disk::syncData(int fd)
{
    int result;
    do
        result = ::fdatasync(fd);
    while (result != 0 && errno == EINTR);
    return result == 0;
}

bool Disk::commit(QSaveFile &file)
{
    return file.commit();
}

bool Disk::syncFolder(const QString &folder)
{
    const int fd =
        ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    // A folder this user may not open cannot be synced; the rename stands all the same.
    if (fd < 0)
        return true;
    const bool synced = ::fsync(fd) == 0 || errno == EINVAL || errno == ENOTSUP;
    ::close(fd);
    return synced;
}

Disk &systemDisk()
{
    static Disk disk;
    return disk;
}

bool writeBytes(const QString &path, const QByteArray &bytes, Disk &disk)
{
    const bool existed = QFileInfo::exists(path);
    QSaveFile file(path);
    file.setDirectWriteFallback(false);
    // Unbuffered, so a full disk fails the write itself rather than a flush out of sight.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return false;
    // The user's files are theirs alone (a diary, their voice); a file that was there keeps
    // the permissions the user gave it.
    if (!existed)
        file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    struct stat written = {};
    if (file.write(bytes) != bytes.size() || file.error() != QFileDevice::NoError ||
        !disk.syncData(file.handle()) || ::fstat(file.handle(), &written) != 0 ||
        written.st_size != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return disk.commit(file) && disk.syncFolder(QFileInfo(path).absolutePath());
}

ReadResult readLines(const QString &path)
{
    QByteArray bytes;
    const Status status = readRegularFile(path, bytes);
    if (status == Status::Ok)
        return decode(bytes);
    ReadResult result;
    result.status = status;
    return result;
}

bool writeLines(const QString &path, const QStringList &lines, Disk &disk)
{
    const std::optional<QByteArray> legacy = legacyBytes(lines);
    return writeBytes(path, legacy ? *legacy : utf8Bytes(lines), disk);
}

QString keepCopy(const QString &path, const QDateTime &at, Disk &disk)
{
    QByteArray bytes;
    if (readRegularFile(path, bytes) != Status::Ok)
        return {};
    const QString copy = path + u".bak-"_s + at.toString(u"yyyyMMdd-hhmmss"_s);
    QByteArray existing;
    switch (readRegularFile(copy, existing)) {
    case Status::Missing:
        return writeBytes(copy, bytes, disk) ? copy : QString();
    case Status::Ok:
        return existing == bytes ? copy : QString();
    case Status::Unreadable:
        break;
    }
    return {};
}

} // namespace TextFile
