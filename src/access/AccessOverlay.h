#pragma once

#include <QList>
#include <QWidget>

class QPainter;

// A transparent layer over a window that draws the scan highlight (a thick frame in a colour
// the program uses nowhere else, the rest optionally dimmed) and the dwell ring. It takes no
// input and never changes the colours of the controls beneath it.
class AccessOverlay : public QWidget
{
    Q_OBJECT

  public:
    static constexpr QRgb kFrameColour = 0xFF4000;
    static constexpr QRgb kRingColour = 0x1565C0;

    explicit AccessOverlay(QWidget *window);

    // Frame around `rect` (window coordinates); an empty rect draws none.
    void setFrame(const QRect &rect, bool dimRest);
    // Ring filled to `progress` (0..1) in the centre of `rect`; an empty rect draws none.
    void setRing(const QRect &rect, double progress);
    // The hint shown while scanning waits for a press, placed where it covers no caption.
    void setPausedHint(bool shown);
    // Where the hint was last drawn (window coordinates; empty while not shown).
    QRect pausedHintRect() const { return m_pausedHint ? m_hintRect : QRect(); }

    // Draws the dwell ring filled to `progress` (0..1) in the centre of `rect`.
    static void paintRing(QPainter &p, const QRect &rect, double progress);

    // Covers the whole window again, on top of every control.
    void follow();

  protected:
    void paintEvent(QPaintEvent *event) override;

  private:
    static constexpr int kHintMargin = 4;

    QList<QRect> captions() const;
    QRect freePlace(const QFont &font) const;
    void paintPausedHint(QPainter &p);

    QRect m_frame;
    bool m_dim = false;
    QRect m_ring;
    double m_progress = 0;
    bool m_pausedHint = false;
    QRect m_hintRect;
};
