#pragma once

#include <QString>
#include <memory>

class PcmPlayer;
struct PcmClip;

// Small desktop services the logic reaches through an interface, so tests can record them.
class Beeper
{
  public:
    virtual ~Beeper() = default;
    virtual void beep() = 0;
};

class EventPump
{
  public:
    virtual ~EventPump() = default;
    // Lets pending user-interface events run once.
    virtual void yield() = 0;
};

class Clipboard
{
  public:
    virtual ~Clipboard() = default;
    virtual void clear() = 0;
    virtual void setText(const QString &text) = 0;
    virtual QString text() const = 0;
};

class BusyPointer
{
  public:
    virtual ~BusyPointer() = default;
    virtual void setBusy(bool busy) = 0;
    virtual bool isBusy() const = 0;
};

// The key beep: a short tone through the sound server on a stream of its own, so it never cuts a
// voice (the desktop bell is usually silent or switched off).
class SystemBeeper final : public Beeper
{
  public:
    SystemBeeper();
    ~SystemBeeper() override;
    void beep() override;

    // The tone's pitch, for tests that listen for it.
    static constexpr int kToneHz = 1320;

  private:
    std::shared_ptr<const PcmClip> m_tone;
    std::unique_ptr<PcmPlayer> m_player;
};

class QtEventPump final : public EventPump
{
  public:
    void yield() override;
};

class SystemClipboard final : public Clipboard
{
  public:
    void clear() override;
    void setText(const QString &text) override;
    QString text() const override;
};

class ScreenBusyPointer final : public BusyPointer
{
  public:
    ~ScreenBusyPointer() override;
    void setBusy(bool busy) override;
    bool isBusy() const override { return m_busy; }

  private:
    bool m_busy = false;
};
