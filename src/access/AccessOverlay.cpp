#include "access/AccessOverlay.h"

#include "access/AccessTexts.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>

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
    if (!m_ring.isEmpty() && m_progress > 0)
        paintRing(p, m_ring, m_progress);
    if (m_pausedHint && m_frame.isEmpty())
        paintPausedHint(p);
}

void AccessOverlay::paintRing(QPainter &p, const QRect &rect, double progress)
{
    const int diameter = std::min(rect.width(), rect.height()) / 2;
    QRect pie(0, 0, diameter, diameter);
    pie.moveCenter(rect.center());
    QColor colour{kRingColour};
    colour.setAlphaF(0.6f);
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    // Clockwise from twelve o'clock (Qt angles run counter-clockwise in 1/16 degrees).
    p.drawPie(pie, 90 * 16, -int(progress * 360 * 16));
}

QList<QRect> AccessOverlay::captions() const
{
    // Text the hint must leave readable: a button's caption, a label, a grid or a text box
    // whole; only where it is not hidden beneath another control (the selection screen).
    QWidget *window = parentWidget();
    QList<QRect> taken;
    for (QWidget *w : window->findChildren<QWidget *>()) {
        if (w == this || !w->isVisible())
            continue;
        QRect area;
        if (auto *button = qobject_cast<QAbstractButton *>(w)) {
            if (button->text().isEmpty())
                continue;
            area = button->fontMetrics().boundingRect(button->text()).adjusted(-4, -4, 4, 4);
            area.moveCenter(button->rect().center());
        } else if (qobject_cast<QLabel *>(w) || qobject_cast<QAbstractScrollArea *>(w)) {
            area = w->rect();
        } else {
            continue;
        }
        if (w->visibleRegion().intersects(area))
            taken.append(QRect(w->mapTo(window, area.topLeft()), area.size()));
    }
    return taken;
}

QRect AccessOverlay::freePlace(const QFont &font) const
{
    const QList<QRect> taken = captions();
    const QRect bounds = rect().adjusted(kHintMargin, kHintMargin, -kHintMargin, -kHintMargin);
    const QSize size =
        QFontMetrics(font).boundingRect(QString::fromUtf16(AccessTexts::kPaused)).size() +
        QSize(12, 6);
    // Places flush with an edge of the window or of a caption, nearest the lower right first.
    QList<int> lefts{bounds.right() + 1 - size.width()};
    QList<int> tops{bounds.bottom() + 1 - size.height()};
    for (const QRect &r : taken) {
        lefts << r.left() - kHintMargin - size.width() << r.right() + 1 + kHintMargin;
        tops << r.top() - kHintMargin - size.height() << r.bottom() + 1 + kHintMargin;
    }
    QRect best;
    for (int top : tops)
        for (int left : lefts) {
            const QRect place(QPoint(left, top), size);
            if (!bounds.contains(place) ||
                std::any_of(taken.cbegin(), taken.cend(),
                            [&](const QRect &r) { return r.intersects(place); }))
                continue;
            const auto distance = [&](const QRect &r) {
                return (bounds.right() - r.right()) + (bounds.bottom() - r.bottom());
            };
            if (best.isNull() || distance(place) < distance(best))
                best = place;
        }
    return best;
}

void AccessOverlay::paintPausedHint(QPainter &p)
{
    QFont hint = font();
    hint.setBold(true);
    QRect box;
    // The largest size that finds a free place; the lower right corner if none does.
    for (int points = 14; points >= 9 && box.isNull(); --points) {
        hint.setPointSize(points);
        box = freePlace(hint);
    }
    const QString text = QString::fromUtf16(AccessTexts::kPaused);
    if (box.isNull()) {
        box = QFontMetrics(hint).boundingRect(text).adjusted(-6, -3, 6, 3);
        box.moveBottomRight(rect().bottomRight() - QPoint(kHintMargin, kHintMargin));
    }
    m_hintRect = box;
    p.setFont(hint);
    p.fillRect(box, QColor(kFrameColour));
    p.setPen(Qt::white);
    p.drawText(box, Qt::AlignCenter, text);
}
