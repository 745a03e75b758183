#include "samples/SampleTexts.h"

QString SampleTexts::trimSpaces(const QString &text)
{
    qsizetype from = 0;
    qsizetype to = text.size();
    while (from < to && text.at(from) == u' ')
        ++from;
    while (to > from && text.at(to - 1) == u' ')
        --to;
    if (from == 0 && to == text.size())
        return text;
    return text.mid(from, to - from);
}

bool SampleTexts::isReserved(const QString &trimmed)
{
    return trimmed == QString::fromUtf16(kDiary) || trimmed == QString::fromUtf16(kMemo);
}
