#pragma once

#include "platform/PcmClip.h"
#include "platform/PcmPlayer.h"

#include <QTimer>
#include <memory>

// The call chime's sound: a loud high-low two-tone call on a sound-server stream of its own
// ("call"), at full level whatever the voice's volume, repeated until stopped. Never waits on
// the server; without one it is silent (the ringing screen still shows).
class CallChime
{
  public:
    static constexpr int kHighHz = 1175;
    static constexpr int kLowHz = 880;
    static constexpr int kToneMs = 400;
    static constexpr int kPeriodMs = 1600; // the two tones, then a pause

    CallChime();

    void start();
    void stop();
    bool isRinging() const { return m_repeat.isActive(); }

  private:
    PcmPlayer m_player{"call"};
    std::shared_ptr<const PcmClip> m_clip;
    QTimer m_repeat;
};
