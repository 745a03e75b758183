#pragma once

#include "platform/PcmClip.h"

#include <QByteArray>
#include <memory>

// Plays one clip at a time on a sound-server stream of its own, fed from the sound client's own
// thread: a clip starts at once and plays whole whatever the calling thread does next (the
// window's designed waits handle no events). The server connection opens at construction, off
// the calling thread, so the first sound is as prompt as the others. Calls never wait on the
// server, nor does destruction: a frozen server is left behind. A few seconds after the last
// clip the stream is paused, so the sound card may sleep. Without a server, or when it fails or
// goes away, playback is silence; every new clip tries the server again.
class PcmPlayer
{
  public:
    static constexpr int kIdleMs = 3000;
    // How far the sound card is kept ahead of what is heard: the delay of a clip's first sound.
    static constexpr int kLatencyMs = 30;

    // `streamName` is how the sound server lists this stream ("voice", "beep"); `idleMs` is
    // how long the stream holds the sound card after a clip.
    explicit PcmPlayer(QByteArray streamName, int idleMs = kIdleMs);
    ~PcmPlayer();
    PcmPlayer(const PcmPlayer &) = delete;
    PcmPlayer &operator=(const PcmPlayer &) = delete;

    // Opens the stream, paused, for clips of this format ahead of the first one.
    void prepare(int sampleRate, int channels);
    // Cuts off what is playing and starts `clip` from its beginning.
    void play(std::shared_ptr<const PcmClip> clip);
    // Cuts off what is playing.
    void stop();

    // How many times in this process the sound server reported running out of a clip it was
    // playing, the rest of it still to come: a gap heard inside a voice.
    static int underrunsInClips();

  private:
    class Connection;
    std::unique_ptr<Connection> m_connection;
};
