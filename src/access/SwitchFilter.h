#pragma once

#include "access/ScanEngine.h"

#include <QList>
#include <QObject>
#include <functional>
#include <optional>

class Clock;

// Application-wide key filter, installed only while scanning is on. Space and "1" are switch
// A, Return, Enter and "2" switch B; they are taken away from the main window, the question
// dialog and the stop panel, so they never type into the composition text. Esc pressed four
// times within three seconds suspends scanning (the keys pass through again); four more resume.
class SwitchFilter : public QObject
{
    Q_OBJECT

  public:
    using Handler = std::function<void(ScanEngine::Switch)>;
    // `accepts` says whether a window is one the switches drive.
    SwitchFilter(const Clock &clock, std::function<bool(const QWidget *)> accepts, Handler pressed);
    ~SwitchFilter() override;

    // The switch a key is, if it is one.
    static std::optional<ScanEngine::Switch> switchFor(int key);

    bool suspended() const { return m_suspended; }
    // When switch A went down and is still held (nowMs() time), or -1.
    qint64 switchAHeldSince() const { return m_aDownAtMs; }
    // The held switch A counts as released (its long hold has been acted on).
    void forgetHold() { m_aDownAtMs = -1; }

  signals:
    void suspendedChanged(bool suspended);

  protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

  private:
    void escapePressed();

    const Clock &m_clock;
    std::function<bool(const QWidget *)> m_accepts;
    Handler m_pressed;
    QList<qint64> m_escapes;
    bool m_suspended = false;
    qint64 m_aDownAtMs = -1;
};
