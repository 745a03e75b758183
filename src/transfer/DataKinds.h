#pragma once

#include <QString>
#include <QStringList>

// The kinds of the user's files in the data folder that an export carries, an import replaces
// and the daily copy keeps: one table (DataKinds.cpp), so a new kind is one line there.
namespace DataKinds {

// The carried files present in `dataDir`, as paths relative to it with '/' separators, sorted.
// Voices are carried when they are the user's own recordings (not the build's generated ones).
QStringList carriedFiles(const QString &dataDir);
// The user's text files present in `dataDir` (the sentences, the diary, the learned words).
QStringList textFiles(const QString &dataDir);
// Whether `path` names a file of a carried kind that stays inside the data folder: relative,
// '/' separators, no empty, "." or ".." part, no control character.
bool isCarried(const QString &path);

} // namespace DataKinds
