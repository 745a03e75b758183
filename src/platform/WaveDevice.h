#pragma once

#include <QString>

// The wave-audio device, driven by the command sequence "Close", device type "WaveAudio",
// file name, "Open", "Prev", "Play". A missing or unreadable file, or no audio output at all,
// is silence and nothing else.
class WaveDevice
{
public:
    virtual ~WaveDevice() = default;
    virtual void setDeviceType(const QString &type) = 0;
    virtual void setFileName(const QString &path) = 0;
    // Carries out "Close", "Open", "Prev" or "Play"; never blocks on the sound.
    virtual void command(const QString &command) = 0;
};
