#pragma once

#include "platform/PcmCache.h"
#include "platform/ProgramFolders.h"

#include <functional>
#include <memory>

class PcmPlayer;

// What a lit item sounds like while scanning, on a sound-server stream of its own ("cue"), so
// the voice's playback is never cut by it: nothing, a short tick (a higher one when a level
// starts over, two when scanning starts again), or the item's spoken name: its own voice file
// ("か", or "cues/読む" for a button). A voice cue with no file ticks instead, so no item is
// silent. Calls never wait on the sound server.
class CuePlayer
{
  public:
    enum class Moment
    {
        Step,
        Wrap,
        Restart
    };
    // Where the sound goes (tests listen here); a null clip stops what plays.
    using Sink = std::function<void(const QString &cue, std::shared_ptr<const PcmClip> clip)>;

    // The voice text of a button's or group's spoken name: "cues/読む" for "読む".
    static QString captionCue(const QString &caption);
    // Whether `cue` is a board text, whose voice file is also what its entry speaks.
    static bool isBoardText(const QString &cue);

    explicit CuePlayer(ProgramFolders folders);
    ~CuePlayer();

    // `mode` as ScanCue (0 none, 1 tones, 2 voice); `volumePercent` of the full level.
    void configure(int mode, int volumePercent);
    bool enabled() const { return m_mode != 0; }
    // How long the cue of an item lasts, in ms; 0 when it plays nothing. `cue` names the item's
    // voice file (empty: the item has none, as a list row).
    int lengthMs(const QString &cue, Moment moment);
    // Starts that cue, cutting off the one before.
    void play(const QString &cue, Moment moment);
    void stop();
    // How long the voice file of `text` speaks, in ms; 0 without one.
    int voiceMs(const QString &text);
    void setSink(Sink sink) { m_sink = std::move(sink); }

  private:
    std::shared_ptr<const PcmClip> clipFor(const QString &cue, Moment moment);
    // The voices of a word's characters joined, or nullptr when one has none.
    std::shared_ptr<const PcmClip> wordClip(const QString &word);

    ProgramFolders m_folders;
    PcmCache m_voices;
    int m_mode = 0;
    double m_level = 0.5;
    std::shared_ptr<const PcmClip> m_tones[3]; // by Moment
    std::unique_ptr<PcmPlayer> m_player;
    Sink m_sink;
};
