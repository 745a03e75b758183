#pragma once

#include <QEvent>
#include <QHash>
#include <QObject>
#include <QSet>

class Clock;
class QPointingDevice;
class QWidget;

// Ignores a press on a control that has just appeared: when one control replaces another
// under the pointer, the second half of an accidental double press must not act on the
// control the first half brought up. A control appears when it is shown, or when a control
// laid over it is hidden. The handler that brings it up may go on to block (the voice's wait);
// a press made meanwhile arrives only afterwards, so the settling time starts when events
// run again, and a press that arrives before then is ignored too. Presses are told apart by
// when they come, not by where they come from: mouse, touch and synthetic presses alike, but
// for the presses of switch and dwell selections (see selectionDevice()).
class PressGuard : public QObject
{
  public:
    static constexpr qint64 kSettleMs = 300;

    PressGuard(const Clock &clock, QObject *parent);

    // The event the guard posts to itself when a control appears; its delivery marks the
    // event loop running again.
    static QEvent::Type eventsRunType();
    // The device of the presses a switch or dwell selection makes. They pass at once: the
    // switch filter has debounced them and they choose the item lit or ringed at that moment,
    // which a scan or a ring shows only once a press there is meant to count.
    static const QPointingDevice *selectionDevice();

    // Guards `control` (for a scroll area such as a grid, its viewport takes the presses).
    void guard(QWidget *control);
    // Guards `control` also when `cover`, laid over it, is hidden.
    void guardBeneath(QWidget *cover, QWidget *control);

  protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    bool event(QEvent *event) override;

  private:
    void appeared(const QObject *control);
    bool settling(const QObject *control) const;

    const Clock &m_clock;
    QHash<const QObject *, qint64> m_settledFrom; // the control taking presses → ms
    QSet<const QObject *> m_unsettled;            // appeared, events not run since
    QHash<const QObject *, QObject *> m_beneath;  // a cover → the control it lies over
};
