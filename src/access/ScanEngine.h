#pragma once

#include "access/ScanNode.h"

#include <QList>

// The switch-scanning state machine over one screen's scan tree, driven by the caller's clock.
// Mode 1 steps by itself every step time (the first item of a level of three or more gets the
// extra time) and selects on either switch; mode 2 steps on switch A and selects on switch B.
// A level that runs its rounds without a press returns to its parent; the top level pauses,
// with nothing lit, until the next press, which only starts scanning again.
class ScanEngine
{
  public:
    struct Timing
    {
        int mode = 1;
        int stepMs = 1500;
        int firstExtraMs = 1000;
        int loops = 3;
        bool startOnPress = true;
        int ignoreMs = 250;
    };
    enum class Switch
    {
        A,
        B
    };

    explicit ScanEngine(Timing timing) : m_timing(timing) {}

    // A new tree for the current screen. With `resume` the same item stays lit, on its
    // running time, when the tree still has it; otherwise scanning restarts at the first
    // top-level item (a paused scan stays paused).
    void setTree(ScanNode root, qint64 nowMs, bool resume);
    // Lights the top-level item `index` (when it exists and scanning runs).
    void lightTop(int index, qint64 nowMs);
    // Advances the automatic stepping; true when the lit item changed.
    bool tick(qint64 nowMs);
    // A switch press. Returns the selected target, or -1 when the press only moved the
    // scan (or was dropped). After a selection every press is dropped until rearm().
    int press(Switch which, qint64 nowMs);
    // The lit item shows `ms` longer: its cue is heard first, and the step time runs after it.
    void lengthen(int ms) { m_deadline += ms; }
    // The selection's handler has returned and the next item is lit: presses count again.
    void rearm(qint64 nowMs);

    bool running() const { return m_running; }
    // The lit item, or nullptr while paused.
    const ScanNode *lit() const;
    QList<int> path() const { return m_path; }

  private:
    const ScanNode &level() const; // the node whose children are being scanned
    int itemMs(int index) const;
    void start(qint64 nowMs);
    void step(qint64 nowMs);

    Timing m_timing;
    ScanNode m_root;
    QList<int> m_path;
    bool m_running = false;
    bool m_armed = true;
    int m_rounds = 0;
    qint64 m_deadline = 0;
    qint64 m_lastAccepted[2] = {-1, -1}; // per switch
};
