#include "platform/Units.h"

QColor Units::colourFromBgr(qint64 bgr)
{
    if (bgr == kSystemDesktopColour)
        return QColor(0x3a, 0x6e, 0xa5); // a calm desktop blue, clearly unlike every highlight
    const auto v = static_cast<quint32>(bgr & 0xFFFFFF);
    return QColor(int(v & 0xFF), int((v >> 8) & 0xFF), int((v >> 16) & 0xFF));
}
