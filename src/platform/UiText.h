#pragma once

#include <QString>

// The system's texts are char16_t constants in the subsystems' *Texts.h headers.
inline QString text(const char16_t *s)
{
    return QString::fromUtf16(s);
}
