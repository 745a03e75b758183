#include "predict/LearnedSaver.h"

#include "predict/LearnedFile.h"

LearnedSaver::LearnedSaver(LearnedFile &file, LearnedWords copy)
    : m_file(file), m_copy(std::move(copy)), m_thread([this] { run(); })
{
}

LearnedSaver::~LearnedSaver()
{
    {
        std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_wake.notify_one();
    m_thread.join();
}

void LearnedSaver::add(LearnedWords::Change change, bool write)
{
    {
        std::lock_guard lock(m_mutex);
        m_waiting.push_back(std::move(change));
        m_writeWanted = m_writeWanted || write;
    }
    if (write)
        m_wake.notify_one();
}

void LearnedSaver::write()
{
    {
        std::lock_guard lock(m_mutex);
        m_writeWanted = true;
    }
    m_wake.notify_one();
}

bool LearnedSaver::wait()
{
    std::unique_lock lock(m_mutex);
    m_idle.wait(lock, [this] { return !m_writeWanted && !m_writing; });
    return m_lastOk;
}

void LearnedSaver::run()
{
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_wake.wait(lock, [this] { return m_writeWanted || m_stopping; });
        // Stopping: what waits is written once more, passes included.
        if (!m_writeWanted && m_waiting.empty())
            return;
        std::vector<LearnedWords::Change> changes;
        changes.swap(m_waiting);
        m_writeWanted = false;
        m_writing = true;
        lock.unlock();
        for (const LearnedWords::Change &c : changes)
            m_copy.apply(c);
        const bool ok = m_file.save(m_copy.lines());
        lock.lock();
        m_writing = false;
        m_lastOk = ok;
        m_idle.notify_all();
    }
}
