#pragma once

#include <QObject>
#include <functional>

class CallButton;
class Clock;
class QWidget;

// While the call is on, the question dialog and the reading panel carry a call button of
// their own: the question is modal and the panel stands over the main window, so neither a
// pointer nor dwell could reach the main window's button while they show. The buttons behave
// as that one (held a second, or chosen by a switch or dwell) and ring through `ring`.
class CallCorners : public QObject
{
  public:
    CallCorners(const Clock &clock, std::function<void()> ring);
    ~CallCorners() override;

    void setOn(bool on);
    // The call button `window` carries, or nullptr.
    static CallButton *buttonOf(const QWidget *window);

  protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

  private:
    void addTo(QWidget *window);

    const Clock &m_clock;
    std::function<void()> m_ring;
    bool m_on = false;
};
