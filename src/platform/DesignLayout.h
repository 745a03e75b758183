#pragma once

#include <QRect>
#include <QString>

class QWidget;

// Every control keeps its design place (twips, inside its container) and font (points);
// a window shows them at one scale factor, so the whole design grows or shrinks together.
// A window wider than the design's shape stretches places across (never fonts), so the extra
// width goes to the controls while text stays at the size the height allows.
namespace DesignLayout {

enum class Face { Gothic, PGothic };

// The scale of the window `w` belongs to (1.0 until set): heights and fonts.
double scale(const QWidget *w);
// The scale across: lefts and widths (scale times the window's stretch).
double scaleAcross(const QWidget *w);
// Sets the scale of a top-level window, and how much wider than that places are drawn
// (`stretch` >= 1), and re-applies every descendant's place and font.
void setScale(QWidget *window, double scale, double stretch = 1.0);

void place(QWidget *w, const QRect &twips);
QRect rect(const QWidget *w);
void move(QWidget *w, int left, int top, int width, int height);
void setHeight(QWidget *w, int twips);
void setLeft(QWidget *w, int twips);
void setTop(QWidget *w, int twips);

void setFont(QWidget *w, Face face, double points, bool bold);
void setFontPoints(QWidget *w, double points);
double fontPoints(const QWidget *w);

// Sets a widget's back colour (0x00BBGGRR) through its style sheet-free palette.
void setBackColour(QWidget *w, qint64 bgr);
qint64 backColour(const QWidget *w);

} // namespace DesignLayout
