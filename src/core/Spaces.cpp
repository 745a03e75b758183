#include "core/Spaces.h"

QString trimSpaces(const QString &text)
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
