#pragma once

#include "predict/LearnedWords.h"

#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

class LearnedFile;

// Writes the learned words' file on a thread of its own. It keeps a copy of the learned words
// and is handed each change the window makes to its own, so the window thread never builds the
// file's lines. Changes handed in while a file is being written are written with the next one;
// a write that failed is tried again with the next change that asks for one. Each write
// replaces the file atomically, so a program that ends during a write leaves the old file whole.
class LearnedSaver
{
  public:
    // `copy`: the learned words as the window holds them now.
    LearnedSaver(LearnedFile &file, LearnedWords copy);
    // Writes what is still waiting, then stops.
    ~LearnedSaver();
    LearnedSaver(const LearnedSaver &) = delete;
    LearnedSaver &operator=(const LearnedSaver &) = delete;

    // `write`: the file is written once the change is made; otherwise the change waits for the
    // next write (a candidate passed over is not worth a write of its own).
    void add(LearnedWords::Change change, bool write);
    // Writes the file as it is now.
    void write();
    // Waits until every write asked for so far is done; false when the last one failed.
    bool wait();

  private:
    void run();

    LearnedFile &m_file;
    LearnedWords m_copy; // touched only by the thread
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::condition_variable m_idle;
    std::vector<LearnedWords::Change> m_waiting;
    bool m_writeWanted = false;
    bool m_writing = false;
    bool m_stopping = false;
    bool m_lastOk = true;
    std::thread m_thread; // last: it starts once everything above is made
};
