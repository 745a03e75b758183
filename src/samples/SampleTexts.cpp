#include "samples/SampleTexts.h"

bool SampleTexts::isReserved(const QString &trimmed)
{
    return trimmed == QString::fromUtf16(kDiary) || trimmed == QString::fromUtf16(kMemo);
}
