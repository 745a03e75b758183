#pragma once

#include "platform/PcmClip.h"

#include <QByteArray>
#include <QMutex>
#include <QWaitCondition>
#include <memory>
#include <optional>

class QThread;

// Plays one clip at a time on a sound-server stream of its own, fed from a thread of its own:
// a clip starts at once and plays whole whatever the calling thread does next (the window's
// designed waits handle no events). Calls never block on the server. Without a server, or when
// it fails or goes away, playback is silence; every new clip tries the server again.
class PcmPlayer
{
  public:
    // `streamName` is how the sound server lists this stream ("voice", "beep").
    explicit PcmPlayer(QByteArray streamName);
    ~PcmPlayer();
    PcmPlayer(const PcmPlayer &) = delete;
    PcmPlayer &operator=(const PcmPlayer &) = delete;

    // Cuts off what is playing and starts `clip` from its beginning.
    void play(std::shared_ptr<const PcmClip> clip);
    // Cuts off what is playing.
    void stop();

  private:
    void request(std::shared_ptr<const PcmClip> clip);
    void run();

    const QByteArray m_streamName;
    QMutex m_mutex;
    QWaitCondition m_wake;
    // The latest request not yet taken by the thread (a null clip: stop). Only the latest
    // matters: each one replaces whatever came before.
    std::optional<std::shared_ptr<const PcmClip>> m_pending;
    bool m_quit = false;
    std::unique_ptr<QThread> m_thread;
};
