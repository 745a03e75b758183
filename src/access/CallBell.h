#pragma once

#include "access/CallChime.h"
#include "access/CallScreen.h"

#include <QObject>
#include <QPointer>
#include <optional>

struct AccessSettings;

// Calls for help: rings the chime and shows the ringing screen until any key, switch or pointer
// press stops them (that press does nothing else). Rung by the call key from any window, by the
// call button, or by a held switch (the access layer asks). Never touches the text, the files
// or the settings.
class CallBell : public QObject
{
    Q_OBJECT

  public:
    // `owner` is the main window the ringing screen belongs to.
    explicit CallBell(QWidget *owner);
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
    QWidget *m_owner;
    CallChime m_chime;
    QPointer<CallScreen> m_screen;
    std::optional<int> m_key; // the call key; none while the call is off
};
