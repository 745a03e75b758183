#pragma once

#include <QString>

// A folder only this user can enter, for files that must not be seen or replaced by anyone
// else (a lock, an answer socket).
namespace PrivateFolder {

// Makes `path` (and any missing folder above it) when it is missing. True when it then is a
// folder, not a link, owned by this user and closed to everyone else: one of ours left open is
// closed (mode 0700); one owned by anyone else is refused, as anyone may make names in a
// shared temporary folder.
bool ensure(const QString &path);

} // namespace PrivateFolder
