#include "access/ScanEngine.h"

namespace {
bool validPath(const ScanNode &root, const QList<int> &path)
{
    const ScanNode *node = &root;
    for (int index : path) {
        if (index < 0 || index >= node->children.size())
            return false;
        node = &node->children[index];
    }
    return !path.isEmpty();
}
} // namespace

void ScanEngine::setTree(ScanNode root, qint64 nowMs, bool resume)
{
    m_root = std::move(root);
    if (m_root.children.isEmpty()) {
        m_running = false;
        m_path.clear();
        return;
    }
    if (resume && validPath(m_root, m_path))
        return;
    m_path = {0};
    m_rounds = 0;
    if (!m_timing.startOnPress)
        m_running = true;
    m_deadline = nowMs + itemMs(0);
}

const ScanNode &ScanEngine::level() const
{
    const ScanNode *node = &m_root;
    for (int i = 0; i + 1 < m_path.size(); ++i)
        node = &node->children[m_path[i]];
    return *node;
}

const ScanNode *ScanEngine::lit() const
{
    if (!m_running || m_path.isEmpty())
        return nullptr;
    return &level().children[m_path.back()];
}

int ScanEngine::itemMs(int index) const
{
    const bool firstOfLong = index == 0 && level().children.size() >= 3;
    return m_timing.stepMs + (firstOfLong ? m_timing.firstExtraMs : 0);
}

void ScanEngine::start(qint64 nowMs)
{
    m_running = true;
    m_path = {0};
    m_rounds = 0;
    m_deadline = nowMs + itemMs(0);
}

void ScanEngine::step(qint64 nowMs)
{
    int next = m_path.back() + 1;
    if (next >= level().children.size()) {
        next = 0;
        if (++m_rounds >= m_timing.loops) {
            m_rounds = 0;
            if (m_path.size() == 1) {
                // Running out of rounds never selects anything: the top level just pauses.
                m_running = false;
                return;
            }
            m_path.removeLast();
            m_deadline = nowMs + itemMs(m_path.back());
            return;
        }
    }
    m_path.back() = next;
    m_deadline = nowMs + itemMs(next);
}

void ScanEngine::lightTop(int index, qint64 nowMs)
{
    if (!m_running || index < 0 || index >= m_root.children.size())
        return;
    m_path = {index};
    m_rounds = 0;
    m_deadline = nowMs + itemMs(index);
}

bool ScanEngine::tick(qint64 nowMs)
{
    if (m_timing.mode != 1 || !m_running || !m_armed || nowMs < m_deadline)
        return false;
    step(nowMs);
    return true;
}

int ScanEngine::press(Switch which, qint64 nowMs)
{
    if (!m_armed || m_root.children.isEmpty())
        return -1;
    // A bounce repeats one switch; a press of the other switch always counts.
    qint64 &last = m_lastAccepted[which == Switch::A ? 0 : 1];
    if (last >= 0 && nowMs - last < m_timing.ignoreMs)
        return -1;
    last = nowMs;
    if (!m_running) {
        start(nowMs);
        return -1;
    }
    if (m_timing.mode == 2 && which == Switch::A) {
        step(nowMs);
        return -1;
    }
    const ScanNode &node = *lit();
    if (node.isGroup()) {
        m_path.append(0);
        m_rounds = 0;
        m_deadline = nowMs + itemMs(0);
        return -1;
    }
    m_armed = false;
    return node.target;
}

void ScanEngine::rearm(qint64 nowMs)
{
    m_armed = true;
    if (m_running && !m_path.isEmpty())
        m_deadline = nowMs + itemMs(m_path.back());
}
