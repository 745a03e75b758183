#pragma once

#include <QList>
#include <QtGlobal>

// Follows a take while it is recorded and tells when the speech in it has ended, so that
// capture can stop by itself.
class SpeechWatch
{
  public:
    static constexpr int kEndSilenceMs = 700;

    explicit SpeechWatch(int sampleRate);

    void feed(const qint16 *samples, qsizetype count);
    // Speech was heard and has been followed by kEndSilenceMs below the speech threshold.
    bool speechEnded() const { return m_ended; }
    // Level of the latest complete 10 ms frame, in dBFS.
    double latestLevelDb() const;

  private:
    void update();

    qsizetype m_frameSamples;
    double m_frameEnergy = 0.0; // sum of squares of the frame being filled
    qsizetype m_frameFill = 0;
    QList<double> m_levels;
    bool m_ended = false;
};
