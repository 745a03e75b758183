#include "platform/DesignLayout.h"

#include "platform/FlexGrid.h"
#include "platform/Units.h"

#include <QFont>
#include <QWidget>

using namespace Qt::Literals::StringLiterals;

namespace {
constexpr char kScale[] = "talkDesignScale";
constexpr char kStretch[] = "talkDesignStretch";
constexpr char kRect[] = "talkDesignRect";
constexpr char kFontPoints[] = "talkDesignFontPoints";
constexpr char kBack[] = "talkBackColour";

QStringList families(DesignLayout::Face face)
{
    // The design faces first, then Japanese faces the set-up installs, so kana never show
    // as boxes.
    if (face == DesignLayout::Face::PGothic)
        return {u"ＭＳ Ｐゴシック"_s, u"MS PGothic"_s, u"IPAPGothic"_s, u"Noto Sans CJK JP"_s,
                u"IPAGothic"_s};
    return {u"ＭＳ ゴシック"_s, u"MS Gothic"_s, u"IPAGothic"_s, u"Noto Sans Mono CJK JP"_s,
            u"Noto Sans CJK JP"_s};
}

void applyPlace(QWidget *w, double s, double across)
{
    const QVariant v = w->property(kRect);
    if (!v.isValid())
        return;
    const QRect r = v.toRect();
    const int left = Units::twipsToPixels(r.x(), across);
    const int top = Units::twipsToPixels(r.y(), s);
    const int right = Units::twipsToPixels(r.x() + r.width(), across);
    const int bottom = Units::twipsToPixels(r.y() + r.height(), s);
    w->setGeometry(left, top, std::max(0, right - left), std::max(0, bottom - top));
}

void applyFont(QWidget *w, double s)
{
    const QVariant v = w->property(kFontPoints);
    if (!v.isValid())
        return;
    QFont f = w->font();
    f.setPixelSize(std::max(1, qRound(Units::pointsToPixels(v.toDouble(), s))));
    w->setFont(f);
}
} // namespace

double DesignLayout::scale(const QWidget *w)
{
    const QVariant v = w->window()->property(kScale);
    return v.isValid() ? v.toDouble() : 1.0;
}

double DesignLayout::scaleAcross(const QWidget *w)
{
    const QVariant v = w->window()->property(kStretch);
    return scale(w) * (v.isValid() ? v.toDouble() : 1.0);
}

void DesignLayout::setScale(QWidget *window, double s, double stretch)
{
    window->setProperty(kScale, s);
    window->setProperty(kStretch, std::max(1.0, stretch));
    const double across = scaleAcross(window);
    const auto children = window->findChildren<QWidget *>();
    for (QWidget *child : children) {
        applyPlace(child, s, across);
        applyFont(child, s);
        if (auto *grid = qobject_cast<FlexGrid *>(child))
            grid->rescale();
    }
}

void DesignLayout::place(QWidget *w, const QRect &twips)
{
    w->setProperty(kRect, twips);
    applyPlace(w, scale(w), scaleAcross(w));
}

QRect DesignLayout::rect(const QWidget *w)
{
    return w->property(kRect).toRect();
}

void DesignLayout::move(QWidget *w, int left, int top, int width, int height)
{
    place(w, QRect(left, top, width, height));
}

void DesignLayout::setHeight(QWidget *w, int twips)
{
    QRect r = rect(w);
    r.setHeight(twips);
    place(w, r);
}

void DesignLayout::setLeft(QWidget *w, int twips)
{
    QRect r = rect(w);
    r.moveLeft(twips);
    place(w, r);
}

void DesignLayout::setTop(QWidget *w, int twips)
{
    QRect r = rect(w);
    r.moveTop(twips);
    place(w, r);
}

void DesignLayout::setFont(QWidget *w, Face face, double points, bool bold)
{
    QFont f = w->font();
    f.setFamilies(families(face));
    f.setBold(bold);
    w->setFont(f);
    setFontPoints(w, points);
}

void DesignLayout::setFontPoints(QWidget *w, double points)
{
    w->setProperty(kFontPoints, points);
    applyFont(w, scale(w));
}

double DesignLayout::fontPoints(const QWidget *w)
{
    return w->property(kFontPoints).toDouble();
}

void DesignLayout::setBackColour(QWidget *w, qint64 bgr)
{
    w->setProperty(kBack, bgr);
    QPalette p = w->palette();
    const QColor c = Units::colourFromBgr(bgr);
    p.setColor(QPalette::Window, c);
    p.setColor(QPalette::Button, c);
    p.setColor(QPalette::Base, c);
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

qint64 DesignLayout::backColour(const QWidget *w)
{
    const QVariant v = w->property(kBack);
    return v.isValid() ? v.toLongLong() : Units::Colour::White;
}
