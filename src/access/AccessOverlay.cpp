#include "access/AccessOverlay.h"

#include "access/AccessTexts.h"

#include <QPainter>
#include <QPainterPath>

AccessOverlay::AccessOverlay(QWidget *window) : QWidget(window)
{
    setObjectName(QStringLiteral("AccessOverlay"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
    follow();
    show();
}

void AccessOverlay::follow()
{
    QWidget *window = parentWidget();
    if (geometry() != window->rect())
        setGeometry(window->rect());
    if (window->children().constLast() != this)
        raise(); // above a frame or list shown since
}

void AccessOverlay::setFrame(const QRect &rect, bool dimRest)
{
    if (rect == m_frame && dimRest == m_dim)
        return;
    m_frame = rect;
    m_dim = dimRest;
    follow();
    update();
}

void AccessOverlay::setRing(const QRect &rect, double progress)
{
    if (rect == m_ring && qFuzzyCompare(progress + 1, m_progress + 1))
        return;
    m_ring = rect;
    m_progress = progress;
    follow();
    update();
}

void AccessOverlay::setPausedHint(bool shown)
{
    if (shown == m_pausedHint)
        return;
    m_pausedHint = shown;
    follow();
    update();
}

void AccessOverlay::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    if (!m_frame.isEmpty()) {
        if (m_dim) {
            QPainterPath veil;
            veil.addRect(rect());
            veil.addRect(m_frame);
            veil.setFillRule(Qt::OddEvenFill);
            p.fillPath(veil, QColor(128, 128, 128, 102));
        }
        const int width = std::clamp(std::min(m_frame.width(), m_frame.height()) * 8 / 100, 6, 12);
        QPen pen{QColor(kFrameColour)};
        pen.setWidth(width);
        pen.setJoinStyle(Qt::MiterJoin);
        p.setPen(pen);
        p.setBrush(Qt::NoBrush);
        // Drawn just inside the item, so the frame is never clipped at a window edge.
        p.drawRect(m_frame.adjusted(width / 2, width / 2, -width / 2, -width / 2));
    }
    if (!m_ring.isEmpty() && m_progress > 0) {
        const int diameter = std::min(m_ring.width(), m_ring.height()) / 2;
        QRect pie(0, 0, diameter, diameter);
        pie.moveCenter(m_ring.center());
        QColor colour{kRingColour};
        colour.setAlphaF(0.6f);
        p.setPen(Qt::NoPen);
        p.setBrush(colour);
        // Clockwise from twelve o'clock (Qt angles run counter-clockwise in 1/16 degrees).
        p.drawPie(pie, 90 * 16, -int(m_progress * 360 * 16));
    }
    if (m_pausedHint && m_frame.isEmpty()) {
        // Bottom right, over the corner of the board switch, so it never hides the text.
        QFont hint = font();
        hint.setPointSize(14);
        hint.setBold(true);
        p.setFont(hint);
        const QString text = QString::fromUtf16(AccessTexts::kPaused);
        QRect box = p.fontMetrics().boundingRect(text).adjusted(-6, -3, 6, 3);
        box.moveBottomRight(rect().bottomRight() - QPoint(4, 4));
        p.fillRect(box, QColor(kFrameColour));
        p.setPen(Qt::white);
        p.drawText(box, Qt::AlignCenter, text);
    }
}
