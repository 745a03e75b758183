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

private:
    QString m_fileName;
    std::unique_ptr<QSoundEffect> m_effect;
};
