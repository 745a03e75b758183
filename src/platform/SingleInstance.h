#pragma once

#include <QLockFile>
#include <memory>

// Holds the per-user, per-executable lock that tells a second start to leave at once.
// Only a lock that names a running instance on this machine blocks: a lock left by a crashed
// run, an empty or unreadable lock file, or a lock that cannot be made at all (folder full or
// read-only) lets the program start, since a second instance is the lesser harm.
class SingleInstance
{
  public:
    // `lockDir` is where the lock lives (the temporary folder by default).
    explicit SingleInstance(const QString &executablePath, const QString &lockDir = {});
    bool isFirst() const { return m_first; }

  private:
    std::unique_ptr<QLockFile> m_lock;
    bool m_first = false;
};
