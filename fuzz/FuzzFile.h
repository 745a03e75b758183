#pragma once

#include <QDir>
#include <QFile>
#include <QString>
#include <QStringDecoder>
#include <QStringList>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <unistd.h>

#include "platform/TextFile.h"

// The fuzz input written as a file of the given name in a folder of this process's own;
// an empty path when it cannot be written.
inline QString writeFuzzFile(const char16_t *name, const uint8_t *data, size_t size)
{
    static const QString dir = QDir::tempPath() + QStringLiteral("/talk-fuzz-%1").arg(getpid());
    static const bool made = QDir().mkpath(dir);
    if (!made)
        return {};
    const QString path = dir + u'/' + QString::fromUtf16(name);
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return {};
    if (f.write(reinterpret_cast<const char *>(data), qsizetype(size)) != qsizetype(size))
        return {};
    return path;
}

// Checks the reader against the bytes, decoding them whole in the encoding the reader names
// (the reader decodes line by line): the same lines, split at CR LF, LF and a lone CR, with
// U+2028 as a line break inside a line of Unicode text. Bytes that do not decode must be
// reported: such a file is not clean.
inline bool readAsExpected(QByteArrayView bytes, const TextFile::ReadResult &read)
{
    using TextFile::Encoding;
    const auto flags = QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom;
    std::optional<QStringDecoder> decoder;
    QByteArrayView mark;
    switch (read.encoding) {
    case Encoding::Cp932:
        decoder.emplace("windows-31j", flags);
        break;
    case Encoding::EucJp:
        decoder.emplace("EUC-JP", flags);
        break;
    case Encoding::Utf8:
        decoder.emplace(QStringDecoder::Utf8, flags);
        mark = "\xEF\xBB\xBF";
        break;
    case Encoding::Utf16Le:
        decoder.emplace(QStringDecoder::Utf16LE, flags);
        mark = "\xFF\xFE";
        break;
    case Encoding::Utf16Be:
        decoder.emplace(QStringDecoder::Utf16BE, flags);
        mark = "\xFE\xFF";
        break;
    }
    if (!mark.isEmpty() && bytes.startsWith(mark))
        bytes = bytes.sliced(mark.size());
    // A character cut off by the end of the bytes counts as one, as at the end of any line.
    const bool utf16 = read.encoding == Encoding::Utf16Le || read.encoding == Encoding::Utf16Be;
    QByteArray data = bytes.toByteArray();
    if (!utf16 && !data.isEmpty() && !data.endsWith('\n') && !data.endsWith('\r'))
        data += '\n';
    QString text = decoder->decode(data);
    if ((decoder->hasError() || (utf16 && bytes.size() % 2 != 0)) && read.clean)
        return false;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    QStringList lines = text.split(u'\n');
    if (lines.last().isEmpty())
        lines.removeLast();
    if (!mark.isEmpty())
        for (QString &line : lines)
            line.replace(QChar(0x2028), u'\n');
    return lines == read.lines;
}
