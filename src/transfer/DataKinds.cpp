#include "transfer/DataKinds.h"

#include "record/VoiceStore.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

using namespace Qt::Literals::StringLiterals;

namespace {

enum class Content
{
    Text,     // the user's own text: carried and copied every day
    OwnVoice, // a voice: carried when it is the user's recording
    Kept      // a recording's kept original and its generated-list line
};

struct Kind
{
    const char16_t *folder; // relative to the data folder, "" for the folder itself
    const char16_t *name;   // a wildcard pattern
    Content content;
};

constexpr Kind kKinds[] = {
    {u"", u"*.txt", Content::Text}, // Talk.txt, day.txt, the learned words
    {u"", u"*.tsv", Content::Text},
    {u"", u"*.wav", Content::OwnVoice},            // the characters' voices
    {u"cues", u"*.wav", Content::OwnVoice},        // the buttons' spoken names
    {u"answers", u"*.wav", Content::OwnVoice},     // the quick answers
    {u"voices-original", u"*.wav", Content::Kept}, // what a recording replaced
    {u"voices-original/cues", u"*.wav", Content::Kept},
    {u"voices-original/answers", u"*.wav", Content::Kept},
    {u"voices-original", u".generated-voices", Content::Kept},
};

QString folderOf(const QString &path)
{
    const qsizetype slash = path.lastIndexOf(u'/');
    return slash < 0 ? QString() : path.left(slash);
}

bool matches(const Kind &kind, const QString &path)
{
    const qsizetype slash = path.lastIndexOf(u'/');
    const QString name = path.mid(slash + 1);
    // "*.wav" needs a text before the extension: ".wav" is no voice.
    if (name.startsWith(u'.') && QString::fromUtf16(kind.name).startsWith(u'*'))
        return false;
    const QRegularExpression pattern(
        QRegularExpression::wildcardToRegularExpression(QString::fromUtf16(kind.name)));
    return folderOf(path) == QString::fromUtf16(kind.folder) && pattern.match(name).hasMatch();
}

bool safeParts(const QString &path)
{
    if (path.isEmpty() || path.contains(u'\\'))
        return false;
    for (const QChar c : path) {
        if (c.category() == QChar::Other_Control)
            return false;
    }
    const QStringList parts = path.split(u'/');
    return std::none_of(parts.cbegin(), parts.cend(), [](const QString &part) {
        return part.isEmpty() || part == u"."_s || part == u".."_s;
    });
}

// Present files of the kinds that `wanted` accepts.
template <typename Wanted> QStringList present(const QString &dataDir, Wanted wanted)
{
    QStringList found;
    const VoiceStore voices(QDir::fromNativeSeparators(dataDir));
    for (const Kind &kind : kKinds) {
        if (!wanted(kind.content))
            continue;
        const QString folder = QString::fromUtf16(kind.folder);
        const QDir dir(QDir(dataDir).filePath(folder));
        const QStringList names = dir.entryList({QString::fromUtf16(kind.name)},
                                                QDir::Files | QDir::Hidden | QDir::NoSymLinks);
        for (const QString &name : names) {
            const QString path = folder.isEmpty() ? name : folder + u'/' + name;
            if (!matches(kind, path))
                continue;
            if (kind.content == Content::OwnVoice &&
                voices.kind(path.chopped(4)) != VoiceStore::Kind::Own)
                continue;
            found.append(path);
        }
    }
    found.sort();
    return found;
}

} // namespace

namespace DataKinds {

QStringList carriedFiles(const QString &dataDir)
{
    return present(dataDir, [](Content) { return true; });
}

QStringList textFiles(const QString &dataDir)
{
    return present(dataDir, [](Content content) { return content == Content::Text; });
}

bool isCarried(const QString &path)
{
    return safeParts(path) && std::any_of(std::begin(kKinds), std::end(kKinds),
                                          [&](const Kind &kind) { return matches(kind, path); });
}

} // namespace DataKinds
