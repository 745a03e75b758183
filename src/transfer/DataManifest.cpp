#include "transfer/DataManifest.h"

#include "transfer/DataKinds.h"
#include "transfer/TransferTexts.h"

#include <QCryptographicHash>
#include <QHash>

using namespace Qt::Literals::StringLiterals;

namespace {

const QByteArray kFormatLine = "Talk data ";

QByteArray sha256(const QByteArray &bytes)
{
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex();
}

std::nullopt_t refuse(QString *error, const char16_t *reason, const QString &name = {})
{
    *error = TransferTexts::text(reason) + name;
    return std::nullopt;
}

bool allowedName(const QString &name)
{
    const QString dataFolder = QString::fromUtf16(DataManifest::kDataFolder);
    if (name == QString::fromUtf16(DataManifest::kSettingsName))
        return true;
    return name.startsWith(dataFolder) && DataKinds::isCarried(name.mid(dataFolder.size()));
}

} // namespace

namespace DataManifest {

QByteArray make(const QList<DataArchive::Member> &members)
{
    QByteArray text = kFormatLine + QByteArray::number(kFormat) + '\n';
    text += "program " TALK_VERSION "\n";
    for (const DataArchive::Member &member : members)
        text += sha256(member.bytes) + '\t' + QByteArray::number(member.bytes.size()) + '\t' +
                member.name.toUtf8() + '\n';
    return text;
}

std::optional<QList<DataArchive::Member>> check(const QList<DataArchive::Member> &members,
                                                QString *error)
{
    QHash<QString, qsizetype> byName;
    const DataArchive::Member *manifest = nullptr;
    for (qsizetype i = 0; i < members.size(); ++i) {
        if (members[i].name == QString::fromUtf16(kName))
            manifest = &members[i];
        else if (byName.contains(members[i].name))
            return refuse(error, TransferTexts::kUnlisted, members[i].name);
        else
            byName.insert(members[i].name, i);
    }
    if (!manifest)
        return refuse(error, TransferTexts::kNoManifest);
    QList<QByteArray> lines = manifest->bytes.split('\n');
    if (lines.isEmpty() || !lines.first().startsWith(kFormatLine))
        return refuse(error, TransferTexts::kNoManifest);
    if (lines.first() != kFormatLine + QByteArray::number(kFormat))
        return refuse(error, TransferTexts::kUnknownVersion);

    QList<DataArchive::Member> listed;
    for (const QByteArray &line : lines.mid(2)) {
        if (line.isEmpty())
            continue;
        const QList<QByteArray> fields = line.split('\t');
        const QString name = fields.size() == 3 ? QString::fromUtf8(fields[2]) : QString();
        if (!allowedName(name))
            return refuse(error, TransferTexts::kForeignName, name);
        const auto found = byName.constFind(name);
        if (found == byName.cend())
            return refuse(error, TransferTexts::kMissing, name);
        const DataArchive::Member &member = members[*found];
        if (QByteArray::number(member.bytes.size()) != fields[1] ||
            sha256(member.bytes) != fields[0])
            return refuse(error, TransferTexts::kChecksum, name);
        listed.append(member);
        byName.erase(found);
    }
    if (!byName.isEmpty())
        return refuse(error, TransferTexts::kUnlisted, byName.cbegin().key());
    return listed;
}

} // namespace DataManifest
