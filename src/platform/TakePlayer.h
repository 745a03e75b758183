#pragma once

#include <QList>
#include <QtGlobal>

// Plays a take held in memory (mono 16-bit samples), replacing whatever it played before.
class TakePlayer
{
  public:
    virtual ~TakePlayer() = default;
    virtual void play(const QList<qint16> &samples, int sampleRate) = 0;
    virtual void stop() = 0;
};
