#pragma once

#include <QRect>
#include <QString>

class QWidget;

// Every control keeps its design place (twips, inside its container) and font (points);
// a window shows them at one scale factor, so the whole design grows or shrinks together.
namespace DesignLayout {

enum class Face { Gothic, PGothic };

// The scale of the window `w` belongs to (1.0 until set).
double scale(const QWidget *w);
// Sets the scale of a top-level window and re-applies every descendant's place and font.
void setScale(QWidget *window, double scale);

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
