#pragma once

#include "platform/PcmCache.h"
#include "platform/WaveDevice.h"

#include <memory>

class PcmPlayer;

// The wave device over the sound server: "Open" takes the file's decoded sound from the cache,
// "Play" starts it on the playback thread and returns at once, "Prev" and "Close" cut off what
// is playing. Only the device type "WaveAudio" exists, so the type is not examined.
class QtWaveDevice final : public WaveDevice
{
  public:
    QtWaveDevice();
    ~QtWaveDevice() override;

    void setDeviceType(const QString &type) override;
    void setFileName(const QString &path) override;
    void command(const QString &command) override;

  private:
    QString m_fileName;
    PcmCache m_cache;
    std::shared_ptr<const PcmClip> m_open; // the sound of the open file, null when none
    std::unique_ptr<PcmPlayer> m_player;
};
