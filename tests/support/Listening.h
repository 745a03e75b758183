#pragma once

#include "platform/PcmClip.h"
#include "platform/PcmPlayer.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QList>
#include <QMutex>
#include <QString>
#include <limits>
#include <memory>

class QThread;
struct pa_simple;

// Listening to what the program plays: the monitor of the test sink ($TALK_TEST_SINK, set up by
// tools/test_sound_server.sh) recorded from a thread of its own, so nothing is lost while the
// window thread waits.
class MonitorRecorder
{
  public:
    static constexpr int kRate = 16000; // mono, signed 16-bit

    // Starts recording; isRecording() tells whether the server could be reached.
    MonitorRecorder();
    ~MonitorRecorder();
    bool isRecording() const { return m_stream != nullptr; }
    // Stops and returns everything recorded.
    QByteArray stop();

  private:
    PcmPlayer m_keepAwake{"keep-awake"};
    pa_simple *m_stream = nullptr;
    QMutex m_mutex;
    QByteArray m_samples;
    qsizetype m_stopAtBytes = std::numeric_limits<qsizetype>::max();
    QElapsedTimer m_started;
    std::unique_ptr<QThread> m_thread;
};

// What the sound server reports going wrong while this lives: running out of a clip this
// process was playing, a gap in what the sink played.
class ServerTrouble
{
  public:
    ServerTrouble();
    // Empty when nothing was reported, else a sentence for a failure message.
    QString report() const;

  private:
    const int m_underrunsBefore;
};

// Why listening tests cannot run here; empty when they can.
QString listeningUnavailable();

// For a listening test's initTestCase(): skips when it cannot run here, for want of the sound
// server or of `missingPackage`, and fails instead under ./test.sh (which sets up both).
void requireListening(const QString &missingPackage = {});

// The socket of the sound server the client library reaches: $PULSE_SERVER's first address,
// written "unix:/path" or as a bare path, or with none named the user's own socket. Empty when
// the server is reached otherwise (over the network).
QString soundServerSocket();

// The names of this process's playback streams that keep the sound card awake (not paused),
// asked of `server` (by default $PULSE_SERVER).
QStringList streamsHoldingTheSink(const QByteArray &server = {});

// The state of the test sink as the server reports it ("RUNNING", "IDLE", "SUSPENDED").
QString testSinkState();

// One stretch of a tone heard in a recording: its start and length in milliseconds.
struct HeardTone
{
    int frequencyHz = 0;
    double onsetMs = 0;
    double durationMs = 0;
};

// Every stretch of each given pitch heard in a mono recording, ordered by onset.
QList<HeardTone> heardTones(const QByteArray &samples, int rate, const QList<int> &frequencies);

// A WAV file of a mono clip.
QByteArray toWav(const PcmClip &clip);

// Sound of any kind heard in a mono recording between `fromMs` and `toMs`, leaving out the
// stretches of `ignored` tones (markers): the first and last loud 10 ms frames and the longest
// quiet stretch between them. firstMs is -1 when nothing was heard.
struct HeardSound
{
    double firstMs = -1;
    double lastMs = -1;
    double longestGapMs = 0;
};
HeardSound heardSound(const QByteArray &samples, int rate, const QList<HeardTone> &ignored,
                      double fromMs = 0, double toMs = std::numeric_limits<double>::max());
