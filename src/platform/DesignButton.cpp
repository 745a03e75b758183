#include "platform/DesignButton.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QStyleOptionButton>
#include <QStylePainter>
#include <QTextBoundaryFinder>

namespace {
// The button's border: the caption keeps clear of it.
constexpr int kBorder = 1;
// The least room a one-line caption keeps on either side.
constexpr int kPadding = 4;

QStringList characters(const QString &text)
{
    QStringList out;
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    qsizetype from = 0;
    while (finder.toNextBoundary() != -1) {
        out.append(text.mid(from, finder.position() - from));
        from = finder.position();
    }
    return out;
}

// Hands `event` to `handler`; when any button may press, as if the left button made it.
template <typename Handler> void handle(QMouseEvent *event, bool anyButton, Handler handler)
{
    if (!anyButton) {
        handler(event);
        return;
    }
    QMouseEvent asLeft(event->type(), event->position(), event->scenePosition(),
                       event->globalPosition(),
                       event->button() == Qt::NoButton ? Qt::NoButton : Qt::LeftButton,
                       event->buttons() == Qt::NoButton ? Qt::NoButton : Qt::LeftButton,
                       event->modifiers(), event->pointingDevice());
    handler(&asLeft);
    event->setAccepted(asLeft.isAccepted());
}

QSize blockSize(const QStringList &lines, const QFontMetrics &metrics)
{
    int width = 0;
    for (const QString &line : lines)
        width = std::max(width, metrics.horizontalAdvance(line));
    return {width, int(lines.size()) * metrics.height()};
}
} // namespace

DesignButton::DesignButton(const QString &caption, QWidget *parent) : QPushButton(caption, parent)
{
}

DesignButton::Caption DesignButton::layoutCaption(const QString &caption, const QFont &font,
                                                  const QSize &box, bool oneLine)
{
    const QFontMetrics metrics(font);
    // A caption that does not fit on one line, clear of the border, wraps at every character
    // (the design's tall narrow buttons).
    const bool stacked =
        !oneLine && metrics.horizontalAdvance(caption) + 2 * kPadding > box.width();
    const QStringList lines = stacked ? characters(caption) : QStringList{caption};
    const QSize block = blockSize(lines, metrics);
    Caption result{lines.join(u'\n'), font};
    if (block.width() <= box.width() && block.height() <= box.height())
        return result;
    // Even one character a line does not fit: a smaller font, as large as fits.
    const double shrink = std::min(box.width() / double(std::max(1, block.width())),
                                   box.height() / double(std::max(1, block.height())));
    const int pixels = font.pixelSize() > 0 ? font.pixelSize() : QFontInfo(font).pixelSize();
    for (int size = std::max(1, int(pixels * shrink)); size > 1; --size) {
        result.font.setPixelSize(size);
        const QSize fitted = blockSize(lines, QFontMetrics(result.font));
        if (fitted.width() <= box.width() && fitted.height() <= box.height())
            break;
    }
    return result;
}

DesignButton::Caption DesignButton::caption() const
{
    return layoutCaption(text(), font(), captionBox(), m_oneLine);
}

QSize DesignButton::captionBox() const
{
    return rect().adjusted(kBorder, kBorder, -kBorder, -kBorder).size();
}

void DesignButton::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text.clear();
    painter.drawControl(QStyle::CE_PushButton, option);
    const Caption drawn = caption();
    painter.setFont(drawn.font);
    painter.drawItemText(rect(), Qt::AlignCenter, palette(), isEnabled(), drawn.text,
                         QPalette::ButtonText);
}

void DesignButton::mousePressEvent(QMouseEvent *event)
{
    handle(event, m_anyMouseButton, [this](QMouseEvent *e) { QPushButton::mousePressEvent(e); });
}

void DesignButton::mouseReleaseEvent(QMouseEvent *event)
{
    handle(event, m_anyMouseButton, [this](QMouseEvent *e) { QPushButton::mouseReleaseEvent(e); });
}

void DesignButton::mouseMoveEvent(QMouseEvent *event)
{
    handle(event, m_anyMouseButton, [this](QMouseEvent *e) { QPushButton::mouseMoveEvent(e); });
}
