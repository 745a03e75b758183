#include "transfer/DataSet.h"

#include "transfer/DataKinds.h"
#include "transfer/DataManifest.h"
#include "transfer/TransferTexts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryFile>
#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace {

std::optional<QByteArray> readWhole(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError || bytes.size() != file.size())
        return std::nullopt;
    return bytes;
}

// Every key of every section, as an INI file.
std::optional<QByteArray> settingsBytes(QSettings &settings)
{
    QTemporaryFile file;
    if (!file.open())
        return std::nullopt;
    {
        QSettings ini(file.fileName(), QSettings::IniFormat);
        const QStringList keys = settings.allKeys();
        for (const QString &key : keys)
            ini.setValue(key, settings.value(key));
        ini.sync();
        if (ini.status() != QSettings::NoError)
            return std::nullopt;
    }
    return readWhole(file.fileName());
}

bool replaceSettings(QSettings &settings, const QByteArray &iniBytes)
{
    QTemporaryFile file;
    if (!file.open() || file.write(iniBytes) != iniBytes.size() || !file.flush())
        return false;
    const QSettings ini(file.fileName(), QSettings::IniFormat);
    if (ini.status() != QSettings::NoError)
        return false;
    settings.clear();
    const QStringList keys = ini.allKeys();
    for (const QString &key : keys)
        settings.setValue(key, ini.value(key));
    settings.sync();
    return settings.status() == QSettings::NoError;
}

} // namespace

std::optional<DataSet> DataSet::collect(const QString &dataDir, QSettings &settings, QString *error)
{
    DataSet data;
    const QStringList names = DataKinds::carriedFiles(dataDir);
    for (const QString &name : names) {
        const std::optional<QByteArray> bytes = readWhole(QDir(dataDir).filePath(name));
        if (!bytes) {
            *error = TransferTexts::text(TransferTexts::kCannotRead) + name;
            return std::nullopt;
        }
        data.files.append({name, *bytes});
    }
    const std::optional<QByteArray> ini = settingsBytes(settings);
    if (!ini) {
        *error = TransferTexts::text(TransferTexts::kSettings);
        return std::nullopt;
    }
    data.settings = *ini;
    return data;
}

QList<DataArchive::Member> DataSet::members() const
{
    QList<DataArchive::Member> members;
    for (const DataArchive::Member &file : files)
        members.append({QString::fromUtf16(DataManifest::kDataFolder) + file.name, file.bytes});
    members.append({QString::fromUtf16(DataManifest::kSettingsName), settings});
    members.prepend({QString::fromUtf16(DataManifest::kName), DataManifest::make(members)});
    return members;
}

std::optional<DataSet> DataSet::fromMembers(const QList<DataArchive::Member> &members,
                                            QString *error)
{
    const std::optional<QList<DataArchive::Member>> listed = DataManifest::check(members, error);
    if (!listed)
        return std::nullopt;
    DataSet data;
    const qsizetype prefix = QString::fromUtf16(DataManifest::kDataFolder).size();
    for (const DataArchive::Member &member : *listed) {
        if (member.name == QString::fromUtf16(DataManifest::kSettingsName))
            data.settings = member.bytes;
        else
            data.files.append({member.name.mid(prefix), member.bytes});
    }
    return data;
}

bool DataSet::applyTo(const QString &dataDir, QSettings &store, TextFile::Disk &disk) const
{
    const QDir dir(dataDir);
    const QString originals = u"voices-original/"_s;
    QStringList stale = DataKinds::carriedFiles(dataDir);
    for (const DataArchive::Member &file : files) {
        const QString path = dir.filePath(file.name);
        stale.removeAll(file.name);
        // A file that holds these bytes already is left alone: a rollback then rewrites only
        // what the import had replaced.
        if (readWhole(path) == file.bytes)
            continue;
        if (!QDir().mkpath(QFileInfo(path).absolutePath()) ||
            !TextFile::writeBytes(path, file.bytes, disk))
            return false;
    }
    // The voices before their kept originals, which may stand in for them.
    std::stable_partition(stale.begin(), stale.end(),
                          [&](const QString &name) { return !name.startsWith(originals); });
    for (const QString &name : std::as_const(stale)) {
        // A voice the data lacks whose generated original is kept goes back to that original,
        // as it was before it was recorded; the original goes with the other stale files.
        const std::optional<QByteArray> bytes = stale.contains(originals + name)
                                                    ? readWhole(dir.filePath(originals + name))
                                                    : std::nullopt;
        if (bytes ? !TextFile::writeBytes(dir.filePath(name), *bytes, disk)
                  : !QFile::remove(dir.filePath(name)))
            return false;
    }
    return replaceSettings(store, settings);
}
