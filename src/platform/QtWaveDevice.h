#pragma once

#include "platform/WaveDevice.h"

#include <QObject>
#include <memory>

class QSoundEffect;

// The wave device over QSoundEffect: "Open" loads the file, "Prev" rewinds, "Play" starts it
// without blocking, "Close" cuts off what is playing.
class QtWaveDevice final : public QObject, public WaveDevice
{
  public:
    QtWaveDevice();
    ~QtWaveDevice() override;

    void setDeviceType(const QString &type) override;
    void setFileName(const QString &path) override;
    void command(const QString &command) override;

    // Whether a sound is playing (or queued to play once its file has loaded).
    bool isPlaying() const;

  private:
    QString m_fileName;
    std::unique_ptr<QSoundEffect> m_effect;
};
