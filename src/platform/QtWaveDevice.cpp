#include "platform/QtWaveDevice.h"

#include <QFileInfo>
#include <QSoundEffect>
#include <QUrl>

using namespace Qt::Literals::StringLiterals;

QtWaveDevice::QtWaveDevice() = default;

QtWaveDevice::~QtWaveDevice() = default;

void QtWaveDevice::setDeviceType(const QString &) {}

void QtWaveDevice::setFileName(const QString &path)
{
    m_fileName = path;
}

void QtWaveDevice::command(const QString &command)
{
    if (command == u"Close"_s) {
        // Deleting the effect stops the sound at once.
        m_effect.reset();
        return;
    }
    if (command == u"Open"_s) {
        m_effect.reset();
        const QFileInfo file(m_fileName);
        if (!file.isFile() || !file.isReadable())
            return; // no file, no sound: nothing else happens
        m_effect = std::make_unique<QSoundEffect>();
        m_effect->setSource(QUrl::fromLocalFile(file.absoluteFilePath()));
        return;
    }
    if (!m_effect)
        return;
    if (command == u"Prev"_s) {
        m_effect->stop();
        return;
    }
    if (command == u"Play"_s)
        m_effect->play(); // plays once loaded; returns at once
}

bool QtWaveDevice::isPlaying() const
{
    return m_effect && (m_effect->isPlaying() || m_effect->status() == QSoundEffect::Loading);
}
