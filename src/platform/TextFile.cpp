#include "platform/TextFile.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QVarLengthArray>
#include <optional>

using namespace Qt::Literals::StringLiterals;

namespace TextFile {
namespace {

constexpr char cp932Name[] = "windows-31j";
constexpr QChar lineSeparator(0x2028);
constexpr QByteArrayView utf8Bom("\xEF\xBB\xBF");

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

// Decodes the lines of data into lines, splitting on LF or CR LF; a CR not followed by LF is
// ordinary content. Nothing after the last line end is not a line; text after it without an
// end is. The line ends are single bytes that neither code page 932 nor UTF-8 uses inside a
// character, so each line is decoded on its own through one reused buffer: every line is held
// at its exact size and the file is never held a second time as one decoded text. Returns
// false on the first undecodable line when stopAtError, else after decoding everything.
bool decodeLines(QByteArrayView data, QStringDecoder &decoder, bool separatorIsLineBreak,
                 bool stopAtError, QStringList &lines)
{
    lines.clear();
    lines.reserve(data.count('\n') + 1);
    QVarLengthArray<QChar, 512> buffer;
    bool decoded = true;
    qsizetype start = 0;
    while (start < data.size()) {
        const qsizetype end = data.indexOf('\n', start);
        const qsizetype next = end < 0 ? data.size() : end + 1;
        // The line end is decoded with the line, so a broken character before it becomes a
        // replacement character instead of vanishing; it is cut off the decoded text.
        const QByteArrayView bytes = data.sliced(start, next - start);
        buffer.resize(decoder.requiredSpace(bytes.size()));
        QStringView text(buffer.data(), decoder.appendToBuffer(buffer.data(), bytes));
        if (decoder.hasError()) {
            decoded = false;
            if (stopAtError)
                return false;
        }
        if (end >= 0 && text.endsWith(u'\n')) {
            text.chop(1);
            if (text.endsWith(u'\r'))
                text.chop(1);
        }
        QString line = text.toString();
        if (separatorIsLineBreak)
            line.replace(lineSeparator, u'\n');
        lines.append(std::move(line));
        start = next;
    }
    return decoded;
}

} // namespace

ReadResult readLines(const QString &path)
{
    ReadResult result;
    QFile file(path);
    if (!file.exists())
        return result;
    result.status = ReadResult::Status::Unreadable;
    if (!file.open(QIODevice::ReadOnly))
        return result;
    const QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return result;
    result.status = ReadResult::Status::Ok;

    if (data.startsWith(utf8Bom)) {
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        result.encoding = Encoding::Utf8;
        decodeLines(QByteArrayView(data).sliced(utf8Bom.size()), utf8, true, false, result.lines);
        return result;
    }
    QStringDecoder cp932(cp932Name, QStringDecoder::Flag::Stateless);
    if (cp932.isValid() && decodeLines(data, cp932, false, true, result.lines))
        return result;
    // Not code page 932: a file saved by a modern editor is UTF-8 without a byte-order mark.
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    if (decodeLines(data, utf8, true, true, result.lines)) {
        result.encoding = Encoding::Utf8;
        return result;
    }
    QStringDecoder lenient(cp932Name, QStringDecoder::Flag::Stateless);
    decodeLines(data, lenient, false, false, result.lines);
    return result;
}

bool writeLines(const QString &path, const QStringList &lines)
{
    const std::optional<QByteArray> legacy = cp932Bytes(lines);
    const QByteArray bytes = legacy ? *legacy : utf8Bytes(lines);
    QSaveFile file(path);
    file.setDirectWriteFallback(false);
    // Unbuffered, so a full disk fails the write itself: a buffered write reports success
    // and the failed flush inside commit() can still leave an empty file in place.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return false;
    if (file.write(bytes) != bytes.size() || file.error() != QFileDevice::NoError) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

Encoding encodingFor(const QStringList &lines)
{
    return cp932Bytes(lines) ? Encoding::Cp932 : Encoding::Utf8;
}

} // namespace TextFile
