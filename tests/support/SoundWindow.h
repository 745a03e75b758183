#pragma once

#include "Fakes.h"
#include "Listening.h"
#include "app/frmTalk.h"
#include "core/AppState.h"
#include "platform/Clock.h"
#include "platform/PcmPlayer.h"
#include "platform/UiServices.h"
#include "voice/EngineFiles.h"

#include <QTemporaryDir>
#include <functional>
#include <memory>
#include <optional>

// Writes a tone as the voice file of `text` in `folder`, making its folder first.
bool writeTone(const QString &folder, const QString &text, int hz, int ms = 350);

// The file names of the voices a recording wave device was asked to play; empty for another.
QStringList playedNames(const WaveDevice &wave);

// The tones heard in a recording with one marker: the marker's onset (-1 unless it was heard
// exactly once) and the other tones in order.
struct Heard
{
    double markerMs = -1;
    QList<HeardTone> sounds;
    QList<int> pitches;
};
Heard byMarker(const QByteArray &samples, const QList<int> &pitches);

// The real main window on the real clock and event loop, its sound going to the sound server
// (the test sink under ./test.sh). Its voices and key beep are either played (the real wave
// device and beeper) or only recorded by name, as `voices` says; sentence speech always plays.
// Write voice files and settings first, then call show().
class SoundWindow
{
  public:
    enum class Voices
    {
        Heard,
        Recorded
    };
    static constexpr int kMarkerHz = 2900;

    explicit SoundWindow(Voices voices);

    // Creates the window, with sentence speech by `files` (set in voiceSettings) when given,
    // shows it and waits until it is on screen; false when it never was.
    bool show(const std::optional<EngineFiles> &files = std::nullopt);
    // Plays a 30 ms marker tone of kMarkerHz on a stream of its own, to time the sounds after it.
    void playMarker();
    // Records the test sink while the marker plays and `press` runs, and `afterMs` longer (the
    // last sound ends in the recording): the tones of `pitches` heard.
    Heard listen(const std::function<void()> &press, const QList<int> &pitches, int afterMs);

    QTemporaryDir dir;
    SystemClock clock;
    QtEventPump events;
    FakeClipboard clipboard;
    MemorySettingsStore settings;
    MemorySettingsStore voiceSettings; // section "VOICE"
    RecordingBusyPointer busy;
    ScriptedAsker asker;
    AppState state;
    std::unique_ptr<WaveDevice> wave;
    std::unique_ptr<Beeper> beeper;
    std::unique_ptr<frmTalk> talk;

  private:
    PcmPlayer m_marker{"marker"};
    std::shared_ptr<const PcmClip> m_markerTone;
};
