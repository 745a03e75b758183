#pragma once

#include <QLockFile>
#include <memory>

// Holds the per-user, per-executable lock that tells a second start to leave at once.
// A lock left by a crashed run is stale (its process is gone) and does not block.
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
