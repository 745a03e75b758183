#pragma once

#include <QColor>
#include <QtGlobal>

// Design units: places and sizes in twips (1/1440 inch), colours as 0x00BBGGRR integers.
namespace Units {

// At scale 1 the design is shown at 96 dots per inch: 15 twips make one pixel.
constexpr double kTwipsPerPixel = 15.0;

inline int twipsToPixels(double twips, double scale)
{
    return qRound(twips * scale / kTwipsPerPixel);
}

inline double pixelsToTwips(int pixels, double scale)
{
    return pixels * kTwipsPerPixel / scale;
}

// Points to pixels at the given scale (a point is 20 twips).
inline double pointsToPixels(double points, double scale)
{
    return points * 20.0 * scale / kTwipsPerPixel;
}

// The system colour index 1 (the desktop colour) that a pressed board cell shows.
constexpr qint64 kSystemDesktopColour = 0x80000001LL;

QColor colourFromBgr(qint64 bgr);

namespace Colour {
constexpr qint64 White = 16777215;
constexpr qint64 LightGreen = 8454016;
constexpr qint64 Silver = 12632256;
constexpr qint64 Grey = 8421504;
constexpr qint64 Black = 0;
} // namespace Colour

} // namespace Units
