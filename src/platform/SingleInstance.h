#pragma once

#include <QString>
#include <memory>

class QLocalServer;

// Holds the per-user, per-executable lock that tells a second start to leave at once. The lock
// is a kernel file lock in the user's runtime folder (no one else can create files there), so
// it ends with its process however that ends; without a runtime folder of the user's own, it
// is in a private folder in the user's cache folder. While it holds the lock, the instance
// answers on a local socket and writes the socket's path into the lock file: a second start
// that gets no answer there knows the first one shows no window (it hangs or is stopped) and
// can say so. The socket is beside the lock, or in a private folder in the temporary folder
// when that path is too long for a socket; a first instance that has no socket names none, and
// a second start then leaves as from one that runs. A lock that cannot be made (no folder for
// it, something other than a file at its path) lets the program start, since a second
// instance is the lesser harm.
class SingleInstance
{
  public:
    enum class Found
    {
        Nothing,         // this is the first instance
        Running,         // another instance runs and answers
        RunningNoWindow, // another instance holds the lock but does not answer
    };
    static constexpr int kAnswerMs = 3000; // the longest designed wait of the window is 0.8 s

    // `lockDir` is where the lock lives (by default the user's runtime folder, or else the
    // private one in the user's cache folder).
    explicit SingleInstance(const QString &executablePath, const QString &lockDir = {});
    ~SingleInstance();
    SingleInstance(const SingleInstance &) = delete;
    SingleInstance &operator=(const SingleInstance &) = delete;

    Found found() const { return m_found; }
    bool isFirst() const { return m_found == Found::Nothing; }
    // Lets the next start run: called as the window goes, before anything that may wait.
    void release();

  private:
    // Listens on the answer socket at `socketPath`; false when it cannot.
    bool answerAt(const QString &socketPath);

    Found m_found = Found::Nothing;
    int m_fd = -1;
    std::unique_ptr<QLocalServer> m_answer;
};
