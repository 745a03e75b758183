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

// Splits on LF or CR LF; a CR not followed by LF is ordinary content. Nothing after the last
// line end is not a line; text after it without an end is.
QStringList splitLines(const QString &text, bool separatorIsLineBreak)
{
    QStringList lines;
    lines.reserve(text.count(u'\n') + 1);
    const QStringView view(text);
    qsizetype start = 0;
    while (start < view.size()) {
        qsizetype end = view.indexOf(u'\n', start);
        const qsizetype next = end < 0 ? view.size() : end + 1;
        if (end < 0)
            end = view.size();
        else if (end > start && view[end - 1] == u'\r')
            --end;
        QString line = view.sliced(start, end - start).toString();
        if (separatorIsLineBreak)
            line.replace(lineSeparator, u'\n');
        lines.append(std::move(line));
        start = next;
    }
    return lines;
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
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless |
                                                      QStringDecoder::Flag::ConvertInitialBom);
        result.encoding = Encoding::Utf8;
        result.lines = splitLines(utf8.decode(QByteArrayView(data).sliced(utf8Bom.size())), true);
        return result;
    }
    QStringDecoder cp932(cp932Name, QStringDecoder::Flag::Stateless);
    const QString text = cp932.decode(data);
    if (cp932.isValid() && !cp932.hasError()) {
        result.lines = splitLines(text, false);
        return result;
    }
    // Not code page 932: a file saved by a modern editor is UTF-8 without a byte-order mark.
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString utf8Text = utf8.decode(data);
    if (utf8.hasError()) {
        result.lines = splitLines(text, false);
        return result;
    }
    result.encoding = Encoding::Utf8;
    result.lines = splitLines(utf8Text, true);
    return result;
}

bool writeLines(const QString &path, const QStringList &lines)
{
    const std::optional<QByteArray> legacy = cp932Bytes(lines);
    const QByteArray bytes = legacy ? *legacy : utf8Bytes(lines);
    QSaveFile file(path);
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(bytes) != bytes.size()) {
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
