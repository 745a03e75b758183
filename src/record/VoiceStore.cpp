#include "record/VoiceStore.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QSaveFile>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString kManifest = u".generated-voices"_s;
const QString kOriginals = u"voices-original"_s;

// The lines of a manifest ("text TAB reading TAB checksum"; the first line is a header that
// the build compares). Empty when the file is missing.
QStringList readLines(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

bool writeAtomically(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

bool writeLines(const QString &path, const QStringList &lines)
{
    QByteArray bytes;
    for (const QString &line : lines)
        bytes += line.toUtf8() + '\n';
    return writeAtomically(path, bytes);
}

qsizetype findEntry(const QStringList &lines, const QString &text)
{
    const QString prefix = text + u'\t';
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (lines[i].startsWith(prefix))
            return i;
    }
    return -1;
}

QByteArray readAll(const QString &path, bool *ok)
{
    QFile file(path);
    *ok = file.open(QIODevice::ReadOnly);
    return *ok ? file.readAll() : QByteArray();
}

QString md5Hex(const QByteArray &bytes)
{
    return QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Md5).toHex());
}

} // namespace

VoiceStore::VoiceStore(QString programDir) : m_dir(std::move(programDir)) {}

QString VoiceStore::voicePath(const QString &text) const
{
    return m_dir + u'/' + text + u".wav"_s;
}

QString VoiceStore::originalPath(const QString &text) const
{
    return m_dir + u'/' + kOriginals + u'/' + text + u".wav"_s;
}

QString VoiceStore::manifestPath() const
{
    return m_dir + u'/' + kManifest;
}

QString VoiceStore::originalManifestPath() const
{
    return m_dir + u'/' + kOriginals + u'/' + kManifest;
}

VoiceStore::Kind VoiceStore::kind(const QString &text) const
{
    bool ok = false;
    const QByteArray bytes = readAll(voicePath(text), &ok);
    if (!ok)
        return Kind::None;
    const QStringList lines = readLines(manifestPath());
    const qsizetype entry = findEntry(lines, text);
    if (entry >= 0 && lines[entry].section(u'\t', 2, 2) == md5Hex(bytes))
        return Kind::Generated;
    return Kind::Own;
}

bool VoiceStore::hasOriginal(const QString &text) const
{
    return QFile::exists(originalPath(text));
}

bool VoiceStore::keep(const QString &text, const QByteArray &wav)
{
    bool existed = false;
    const QByteArray current = readAll(voicePath(text), &existed);
    if (existed && !hasOriginal(text)) {
        // The first replacement: keep what was there, generated or not, so nothing is lost.
        if (!QDir(m_dir).mkpath(kOriginals) || !writeAtomically(originalPath(text), current))
            return false;
    }
    if (!writeAtomically(voicePath(text), wav))
        return false;

    QStringList lines = readLines(manifestPath());
    const qsizetype entry = findEntry(lines, text);
    if (entry < 0)
        return true;
    // Remember the generated line beside the original, then take it off the list. Should
    // this fail, the build still leaves the file alone: its checksum no longer matches.
    QStringList originals = readLines(originalManifestPath());
    const qsizetype old = findEntry(originals, text);
    if (old >= 0)
        originals.removeAt(old);
    originals.append(lines[entry]);
    if (writeLines(originalManifestPath(), originals)) {
        lines.removeAt(entry);
        writeLines(manifestPath(), lines);
    }
    return true;
}

bool VoiceStore::restore(const QString &text)
{
    bool ok = false;
    const QByteArray original = readAll(originalPath(text), &ok);
    if (!ok || !writeAtomically(voicePath(text), original))
        return false;
    QFile::remove(originalPath(text));

    QStringList originals = readLines(originalManifestPath());
    const qsizetype saved = findEntry(originals, text);
    if (saved < 0)
        return true;
    QStringList lines = readLines(manifestPath());
    if (!lines.isEmpty() && findEntry(lines, text) < 0) {
        lines.append(originals[saved]);
        writeLines(manifestPath(), lines);
    }
    originals.removeAt(saved);
    writeLines(originalManifestPath(), originals);
    return true;
}
