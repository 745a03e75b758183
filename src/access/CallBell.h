#pragma once

#include "access/CallChime.h"
#include "access/CallScreen.h"
#include "access/HeldInputs.h"

#include <QObject>
#include <QPointer>
#include <optional>

struct AccessSettings;

// Calls for help: rings the chime and shows the ringing screen until a deliberate key, switch
// or pointer press stops them (that press does nothing else). Deliberate: a new press, not a
// held key's repeat nor a bounce (see HeldInputs), kStopAfterMs or more after the ringing
// began, so neither the hold that rang it nor an accidental second tap stops it. Rung by the call
// key from any window, by the call button, or by a held switch (the access layer asks). Never
// touches the text, the files or the settings.
class Clock;
class QInputEvent;

class CallBell : public QObject
{
    Q_OBJECT

  public:
    static constexpr qint64 kStopAfterMs = 1000;

    // `owner` is the main window the ringing screen belongs to.
    CallBell(QWidget *owner, const Clock &clock);
    ~CallBell() override;

    void apply(const AccessSettings &settings);
    void ring();
    void stop();
    bool isRinging() const { return m_screen != nullptr; }
    // The ringing screen, or nullptr while quiet.
    CallScreen *screen() const { return m_screen; }

  protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

  private:
    // Follows the press (a key, or a pointer button as minus its number); true when it stops
    // the ringing.
    bool stops(int input, const QInputEvent *event);

    QWidget *m_owner;
    const Clock &m_clock;
    HeldInputs m_held;
    qint64 m_rangAtMs = 0;
    CallChime m_chime;
    QPointer<CallScreen> m_screen;
    std::optional<int> m_key; // the call key; none while the call is off
};
