#pragma once

#include "platform/DesignButton.h"

#include <QTimer>

class Clock;

// The call button: a pointer press rings only once held kHoldMs, the dwell ring filling on the
// button meanwhile, so a stray press or a brush on the way elsewhere never rings. A switch or
// dwell selection (which has its own guards) rings at once.
class CallButton : public DesignButton
{
    Q_OBJECT

  public:
    static constexpr int kHoldMs = 1000;

    CallButton(const QString &caption, const Clock &clock, QWidget *parent);

    // How far the held press has come (0..1; 0 when none is held).
    double progress() const { return m_progress; }

  signals:
    void callRequested();

  protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

  private:
    void follow();
    void cancel();

    const Clock &m_clock;
    QTimer m_watch;
    qint64 m_pressedAtMs = -1;
    double m_progress = 0;
};
