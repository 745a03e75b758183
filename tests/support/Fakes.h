#pragma once

#include "dialogs/QuestionAsker.h"
#include "platform/Clock.h"
#include "platform/SettingsStore.h"
#include "platform/UiServices.h"
#include "platform/WaveDevice.h"

#include <QMap>
#include <QStringList>
#include <functional>

// A clock that tests advance; blocking waits advance it at once and record their length.
class FakeClock final : public Clock
{
  public:
    qint64 nowMs() const override { return m_now; }
    void blockUntilPast(qint64 startMs, qint64 ms) override;
    QDate today() const override { return m_today; }

    void advance(qint64 ms) { m_now += ms; }

    QList<qint64> waits;              // the length of every blocking wait, in ms
    std::function<void()> duringWait; // runs inside each wait (e.g. to queue a release)

  private:
    qint64 m_now = 1000;
    QDate m_today{2026, 12, 7};
};

class RecordingBeeper final : public Beeper
{
  public:
    void beep() override { ++count; }
    int count = 0;
};

// Processes pending events like the real pump, running beforeYield first.
class ScriptedEventPump final : public EventPump
{
  public:
    void yield() override;
    std::function<void()> beforeYield;
};

class FakeClipboard final : public Clipboard
{
  public:
    void clear() override { m_text.clear(); }
    void setText(const QString &text) override { m_text = text; }
    QString text() const override { return m_text; }

  private:
    QString m_text;
};

// Records every property write and command, in order, as "Command:Play", "FileName:/p/あ.wav"...
class RecordingWaveDevice final : public WaveDevice
{
  public:
    void setDeviceType(const QString &type) override { log.append(u"DeviceType:" + type); }
    void setFileName(const QString &path) override { log.append(u"FileName:" + path); }
    void command(const QString &command) override;

    QStringList log;
    QStringList played; // the file names of every "Play"
    const Clock *clock = nullptr;
    QList<qint64> playTimesMs;

  private:
    QString m_file;
};

class MemorySettingsStore final : public SettingsStore
{
  public:
    QString read(const QString &key, const QString &defaultValue) const override
    {
        return values.value(key, defaultValue);
    }
    void write(const QString &key, const QString &value) override
    {
        values.insert(key, value);
        ++writes;
    }
    bool sync() override { return !refuseToStore; }
    QMap<QString, QString> values;
    int writes = 0;
    bool refuseToStore = false; // as a full disk: sync() fails
};

class RecordingBusyPointer final : public BusyPointer
{
  public:
    void setBusy(bool busy) override { m_busy = busy; }
    bool isBusy() const override { return m_busy; }

  private:
    bool m_busy = false;
};

// Answers questions from a queue (false when empty) and records what was asked.
class ScriptedAsker final : public QuestionAsker
{
  public:
    struct Question
    {
        QString prompt;
        int kind;
    };
    bool ask(const QString &prompt, int kind, const QString &title, QWidget *parent) override;

    QList<bool> answers;
    QList<Question> asked;
    QuestionAsker *forward = nullptr; // when set, the questions go to it (a real dialog)
};
