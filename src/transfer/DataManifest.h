#pragma once

#include "transfer/DataArchive.h"

#include <QList>
#include <QString>
#include <optional>

// The manifest of an export or a backup folder: its format, the program that wrote it and
// each member's SHA-256 checksum and size, so an import knows the whole archive before it
// changes anything.
namespace DataManifest {

inline constexpr char16_t kName[] = u"manifest.txt";
inline constexpr char16_t kSettingsName[] = u"settings.ini";
inline constexpr char16_t kDataFolder[] = u"data/";
inline constexpr int kFormat = 1;

// The manifest listing `members` (in their order).
QByteArray make(const QList<DataArchive::Member> &members);

// The members a manifest lists, checked: the manifest is there and of a format this program
// reads, every listed member is present once with its size and checksum, nothing else is
// there, and each name is the settings or a data file of a carried kind. Returns them without
// the manifest; nullopt with the reason in `error` otherwise.
std::optional<QList<DataArchive::Member>> check(const QList<DataArchive::Member> &members,
                                                QString *error);

} // namespace DataManifest
