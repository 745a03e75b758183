#include "record/VoiceStore.h"

#include "platform/PcmClip.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>

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

bool writeManifest(const QString &path, const QStringList &lines, TextFile::Disk &disk)
{
    QByteArray bytes;
    for (const QString &line : lines)
        bytes += line.toUtf8() + '\n';
    return TextFile::writeBytes(path, bytes, disk);
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

// The whole file; `ok` is false when it could not be read whole (a read error stops short of
// the size the file has).
QByteArray readAll(const QString &path, bool *ok)
{
    QFile file(path);
    QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    *ok = file.isOpen() && file.error() == QFileDevice::NoError && bytes.size() == file.size();
    return bytes;
}

bool isVoice(const QByteArray &bytes)
{
    return decodeWav(bytes).has_value();
}

QString md5Hex(const QByteArray &bytes)
{
    return QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Md5).toHex());
}

} // namespace

VoiceStore::VoiceStore(QString programDir, TextFile::Disk &disk)
    : m_dir(std::move(programDir)), m_disk(disk)
{
}

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
    const bool existed = QFileInfo::exists(voicePath(text));
    bool whole = false;
    const QByteArray current = readAll(voicePath(text), &whole);
    if (existed && !whole)
        return false; // what is there could not be read: no copy of it could be kept
    // The first replacement keeps what was there, generated or not, so nothing is lost. A kept
    // original is never replaced, even one this program cannot play (the user's own file in
    // another format, or a long one), unless it is empty: an empty copy is what a full disk
    // left when originals were written without checking, and nothing of it can be lost.
    bool kept = false;
    const QByteArray original = readAll(originalPath(text), &kept);
    if (existed && (!kept || original.isEmpty())) {
        if (!QDir().mkpath(QFileInfo(originalPath(text)).absolutePath()) ||
            !TextFile::writeBytes(originalPath(text), current, m_disk))
            return false;
    }
    // A button's spoken name lives in a folder of its own, missing where none was generated.
    if (!QDir().mkpath(QFileInfo(voicePath(text)).absolutePath()) ||
        !TextFile::writeBytes(voicePath(text), wav, m_disk))
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
    if (writeManifest(originalManifestPath(), originals, m_disk)) {
        lines.removeAt(entry);
        writeManifest(manifestPath(), lines, m_disk);
    }
    return true;
}

VoiceStore::Restored VoiceStore::restore(const QString &text)
{
    bool ok = false;
    const QByteArray original = readAll(originalPath(text), &ok);
    if (!ok)
        return Restored::Failed;
    if (!isVoice(original))
        return Restored::NotAVoice;
    // The original goes only once the voice written from it is on the disk whole.
    if (!TextFile::writeBytes(voicePath(text), original, m_disk))
        return Restored::Failed;
    QFile::remove(originalPath(text));

    QStringList originals = readLines(originalManifestPath());
    const qsizetype saved = findEntry(originals, text);
    if (saved < 0)
        return Restored::Done;
    QStringList lines = readLines(manifestPath());
    if (!lines.isEmpty() && findEntry(lines, text) < 0) {
        lines.append(originals[saved]);
        writeManifest(manifestPath(), lines, m_disk);
    }
    originals.removeAt(saved);
    writeManifest(originalManifestPath(), originals, m_disk);
    return Restored::Done;
}
