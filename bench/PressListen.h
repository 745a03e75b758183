#pragma once

#include "Listening.h"

#include <QElapsedTimer>
#include <QList>
#include <functional>

class SoundWindow;

// The listening benches' press-and-listen loop: each press comes kMarkerLeadMs after a marker
// tone played on a stream of its own, so the marker's sound never hides a quick onset, and what
// the test sink's monitor recorded meanwhile tells what was heard after each marker.
class PressListen
{
  public:
    static constexpr int kMarkerLeadMs = 100;

    // Starts recording and lets the recorder's stream settle.
    explicit PressListen(SoundWindow &window);

    // Plays the marker, waits kMarkerLeadMs and calls `press`.
    void press(const std::function<void()> &press);
    // Milliseconds since the last marker was played.
    double sinceMarkerMs() const { return double(m_marked.elapsed()); }
    // When each press came, in milliseconds from its marker.
    const QList<double> &presses() const { return m_presses; }
    // Stops recording: the sound heard after each marker, in milliseconds from the marker.
    QList<HeardSound> stop();
    // The first sound after each press that was heard, in milliseconds from the press.
    QList<double> onsets(const QList<HeardSound> &heard) const;

  private:
    SoundWindow &m_window;
    MonitorRecorder m_recorder;
    QElapsedTimer m_marked;
    QList<double> m_presses;
};

// Why a bench that listens to the sentence voice cannot run here (no test sound server, or the
// speech engine's packages missing); empty when it can.
QString sentenceListeningUnavailable();

// The value below which a share `p` (0 to 1) of `values` lies, nearest rank; 0 when empty.
double percentile(QList<double> values, double p);
