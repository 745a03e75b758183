#include "transfer/DataTransfer.h"

#include "transfer/DataArchive.h"
#include "transfer/DataManifest.h"
#include "transfer/DataSet.h"
#include "transfer/TransferTexts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

using namespace Qt::Literals::StringLiterals;

namespace {

// Names the backup folder an import is replacing the data from.
const QString kPendingMark = u".import-pending"_s;

DataTransfer::Result failed(const char16_t *what, const QString &reason)
{
    return {false, TransferTexts::text(what) + reason};
}

// A file of at most the size an archive may hold; nullopt when it cannot be read whole.
std::optional<QByteArray> readArchive(const QString &path, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = TransferTexts::text(TransferTexts::kCannotRead) + path;
        return std::nullopt;
    }
    if (file.size() > DataArchive::kMaxTotalBytes * 2) {
        *error = TransferTexts::text(TransferTexts::kTooLarge) + path;
        return std::nullopt;
    }
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError || bytes.size() != file.size()) {
        *error = TransferTexts::text(TransferTexts::kCannotRead) + path;
        return std::nullopt;
    }
    return bytes;
}

// The data of a backup folder, checked against its manifest.
std::optional<DataSet> readBackup(const QString &folder, QString *error)
{
    QFile manifestFile(QDir(folder).filePath(QString::fromUtf16(DataManifest::kName)));
    if (!manifestFile.open(QIODevice::ReadOnly)) {
        *error = TransferTexts::text(TransferTexts::kCannotRead) + manifestFile.fileName();
        return std::nullopt;
    }
    const QByteArray manifest = manifestFile.readAll();
    QList<DataArchive::Member> members{{QString::fromUtf16(DataManifest::kName), manifest}};
    for (const QByteArray &line : manifest.split('\n').mid(2)) {
        const QString name = QString::fromUtf8(line.split('\t').value(2));
        if (name.isEmpty() || name.contains(u".."_s))
            continue; // the check below refuses what it lists but is not here
        QFile file(QDir(folder).filePath(name));
        if (file.open(QIODevice::ReadOnly))
            members.append({name, file.readAll()});
    }
    return DataSet::fromMembers(members, error);
}

} // namespace

DataTransfer::DataTransfer(QString dataDir, QSettings &settings, TextFile::Disk &disk)
    : m_dataDir(QDir::fromNativeSeparators(std::move(dataDir))), m_settings(settings), m_disk(disk)
{
}

DataTransfer::Result DataTransfer::exportTo(const QString &file)
{
    QString error;
    const std::optional<DataSet> data = DataSet::collect(m_dataDir, m_settings, &error);
    if (!data)
        return failed(TransferTexts::kNotExported, error);
    const std::optional<QByteArray> zip = DataArchive::zip(data->members(), &error);
    if (!zip)
        return failed(TransferTexts::kNotExported, error);
    if (!TextFile::writeBytes(file, *zip, m_disk))
        return failed(TransferTexts::kNotExported,
                      TransferTexts::text(TransferTexts::kCannotWrite) + file);
    return {true, TransferTexts::text(TransferTexts::kExported) + file};
}

QString DataTransfer::writeBackup(const QDateTime &now, QString *error)
{
    const std::optional<DataSet> current = DataSet::collect(m_dataDir, m_settings, error);
    if (!current)
        return {};
    const QString stamp = u"backup-"_s + now.toString(u"yyyyMMdd-HHmmss"_s);
    QString name = stamp;
    for (int n = 2; QFileInfo::exists(QDir(m_dataDir).filePath(name)); ++n)
        name = stamp + u'-' + QString::number(n);
    const QString folder = QDir(m_dataDir).filePath(name);
    // The manifest goes last: a backup folder with one is whole.
    QList<DataArchive::Member> members = current->members();
    members.move(0, members.size() - 1);
    for (const DataArchive::Member &member : std::as_const(members)) {
        const QString path = QDir(folder).filePath(member.name);
        if (!QDir().mkpath(QFileInfo(path).absolutePath()) ||
            !TextFile::writeBytes(path, member.bytes, m_disk)) {
            QDir(folder).removeRecursively();
            *error = TransferTexts::text(TransferTexts::kCannotWrite) + folder;
            return {};
        }
    }
    return name;
}

DataTransfer::Result DataTransfer::importFrom(const QString &file, const QDateTime &now)
{
    QString error;
    const std::optional<QByteArray> bytes = readArchive(file, &error);
    if (!bytes)
        return failed(TransferTexts::kNotImported, error);
    const std::optional<QList<DataArchive::Member>> members = DataArchive::unzip(*bytes, &error);
    if (!members)
        return failed(TransferTexts::kNotImported, error);
    const std::optional<DataSet> incoming = DataSet::fromMembers(*members, &error);
    if (!incoming)
        return failed(TransferTexts::kNotImported, error);

    const QString backup = writeBackup(now, &error);
    if (backup.isEmpty())
        return failed(TransferTexts::kNotImported, error);
    const QString mark = QDir(m_dataDir).filePath(kPendingMark);
    if (!TextFile::writeBytes(mark, backup.toUtf8(), m_disk)) {
        QDir(QDir(m_dataDir).filePath(backup)).removeRecursively();
        return failed(TransferTexts::kNotImported,
                      TransferTexts::text(TransferTexts::kCannotWrite) + mark);
    }
    if (!incoming->applyTo(m_dataDir, m_settings, m_disk)) {
        const Result back = recoverInterrupted();
        return failed(back.ok ? TransferTexts::kRolledBack : TransferTexts::kNotImported,
                      back.ok ? backup : back.message);
    }
    QFile::remove(mark);
    return {true, TransferTexts::text(TransferTexts::kImported) +
                      QDir::toNativeSeparators(QDir(m_dataDir).filePath(backup))};
}

DataTransfer::Result DataTransfer::recoverInterrupted()
{
    const QString mark = QDir(m_dataDir).filePath(kPendingMark);
    QFile markFile(mark);
    if (!markFile.exists())
        return {true, {}};
    const QString backup =
        markFile.open(QIODevice::ReadOnly) ? QString::fromUtf8(markFile.readAll()) : QString();
    static const QRegularExpression name(u"^backup-\\d{8}-\\d{6}(-\\d+)?$"_s);
    QString error = TransferTexts::text(TransferTexts::kCannotRead) + mark;
    if (!name.match(backup).hasMatch())
        return {false, error};
    const QString folder = QDir(m_dataDir).filePath(backup);
    const std::optional<DataSet> old = readBackup(folder, &error);
    if (!old)
        return {false, error};
    if (!old->applyTo(m_dataDir, m_settings, m_disk))
        return {false, TransferTexts::text(TransferTexts::kCannotWrite) + m_dataDir};
    QFile::remove(mark);
    return {true,
            TransferTexts::text(TransferTexts::kRecovered) + QDir::toNativeSeparators(folder)};
}
