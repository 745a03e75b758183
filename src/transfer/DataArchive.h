#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>

// A zip archive in memory, written and read with libarchive.
namespace DataArchive {

struct Member
{
    QString name; // '/' separators
    QByteArray bytes;
};

// The bounds a read keeps to: an archive claiming more is refused before anything is read.
inline constexpr qint64 kMaxMemberBytes = 256LL * 1024 * 1024;
inline constexpr qint64 kMaxTotalBytes = 1024LL * 1024 * 1024;
inline constexpr int kMaxMembers = 20000;

// The zip of the members, compressed; nullopt with the reason in `error` when it fails.
std::optional<QByteArray> zip(const QList<Member> &members, QString *error);

// The regular files of a zip. Refused (nullopt, the reason in `error`) when the bytes are no
// zip or are damaged, or when a member is a link, a folder or a device, or claims or holds more
// than the bounds allow.
std::optional<QList<Member>> unzip(const QByteArray &zip, QString *error);

} // namespace DataArchive
