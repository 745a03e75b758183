#include "platform/TextFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>

using namespace Qt::Literals::StringLiterals;

namespace {
constexpr char kCodePage[] = "windows-31j";
constexpr char16_t kLineSeparator = u'\u2028';
const QByteArray kBom("\xEF\xBB\xBF", 3);

bool hasLineBreak(const QString &line)
{
    return line.contains(u'\n') || line.contains(u'\r');
}

// Code page 932 bytes of the text, or nothing when it does not round-trip exactly.
std::optional<QByteArray> encodeCp932(const QString &text)
{
    QStringEncoder encoder(kCodePage);
    QByteArray bytes = encoder.encode(text);
    if (encoder.hasError())
        return std::nullopt;
    QStringDecoder decoder(kCodePage);
    const QString back = decoder.decode(bytes);
    if (decoder.hasError() || back != text)
        return std::nullopt;
    return bytes;
}

QString joinLines(const QStringList &lines)
{
    QString all;
    qsizetype size = 0;
    for (const QString &l : lines)
        size += l.size() + 2;
    all.reserve(size);
    for (const QString &l : lines) {
        all += l;
        all += u"\r\n"_s;
    }
    return all;
}

QStringList splitLines(const QString &text, bool unfoldSeparators)
{
    QStringList lines;
    const QStringView all(text);
    qsizetype start = 0;
    while (start < all.size()) {
        qsizetype end = all.indexOf(u'\n', start);
        const bool last = end < 0;
        if (last)
            end = all.size();
        qsizetype stop = end;
        if (!last && stop > start && all[stop - 1] == u'\r')
            --stop; // CR LF
        QString line = all.mid(start, stop - start).toString();
        if (unfoldSeparators)
            line.replace(kLineSeparator, u'\n');
        lines.append(std::move(line));
        start = end + 1;
    }
    return lines;
}
} // namespace

TextFile::Encoding TextFile::encodingFor(const QStringList &lines)
{
    for (const QString &l : lines)
        if (hasLineBreak(l))
            return Encoding::Utf8;
    return encodeCp932(joinLines(lines)) ? Encoding::Cp932 : Encoding::Utf8;
}

TextFile::ReadResult TextFile::readLines(const QString &path)
{
    ReadResult result;
    const QFileInfo info(path);
    if (!info.exists()) {
        result.status = ReadResult::Status::Missing;
        return result;
    }
    QFile file(path);
    if (!info.isFile() || !file.open(QIODevice::ReadOnly)) {
        result.status = ReadResult::Status::Unreadable;
        return result;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        result.status = ReadResult::Status::Unreadable;
        return result;
    }
    result.status = ReadResult::Status::Ok;
    if (bytes.startsWith(kBom)) {
        result.encoding = Encoding::Utf8;
        result.lines = splitLines(QString::fromUtf8(bytes.mid(3)), true);
        return result;
    }
    QStringDecoder cp932(kCodePage);
    QString text = cp932.decode(bytes);
    if (cp932.hasError()) {
        // Not code page 932: a file saved as UTF-8 by another editor is read as such, so
        // the next save does not turn it into mojibake.
        QStringDecoder utf8(QStringConverter::Utf8);
        QString asUtf8 = utf8.decode(bytes);
        if (!utf8.hasError()) {
            result.encoding = Encoding::Utf8;
            result.lines = splitLines(asUtf8, true);
            return result;
        }
    }
    result.encoding = Encoding::Cp932;
    result.lines = splitLines(text, false);
    return result;
}

bool TextFile::writeLines(const QString &path, const QStringList &lines)
{
    bool breaks = false;
    for (const QString &l : lines)
        breaks = breaks || hasLineBreak(l);
    QByteArray bytes;
    std::optional<QByteArray> legacy;
    if (!breaks)
        legacy = encodeCp932(joinLines(lines));
    if (legacy) {
        bytes = std::move(*legacy);
    } else {
        QStringList folded = lines;
        for (QString &l : folded) {
            l.replace(u"\r\n"_s, QString(kLineSeparator));
            l.replace(u'\r', kLineSeparator);
            l.replace(u'\n', kLineSeparator);
        }
        bytes = kBom + joinLines(folded).toUtf8();
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}
