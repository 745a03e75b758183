#pragma once

#include "platform/TextFile.h"
#include "transfer/DataArchive.h"

#include <QList>
#include <QString>
#include <optional>

class QSettings;

// The user's data in memory: the carried files of the data folder and every section of the
// settings, as an export, a backup folder or the folder itself holds them.
struct DataSet
{
    QList<DataArchive::Member> files; // names relative to the data folder
    QByteArray settings;              // the settings as an INI file

    // What `dataDir` and `settings` hold now; nullopt with the reason when a file cannot be
    // read whole.
    static std::optional<DataSet> collect(const QString &dataDir, QSettings &settings,
                                          QString *error);
    // The members of an export or backup: the data files under "data/", the settings and the
    // manifest.
    QList<DataArchive::Member> members() const;
    // The data from members checked against their manifest (DataManifest::check).
    static std::optional<DataSet> fromMembers(const QList<DataArchive::Member> &members,
                                              QString *error);

    // Makes `dataDir` and `store` hold this data: each file replaced atomically, the carried
    // files it lacks removed, the settings replaced whole. Stops at the first failure and
    // returns false (the caller puts the old data back).
    bool applyTo(const QString &dataDir, QSettings &store, TextFile::Disk &disk) const;
};
