#include "core/AppState.h"

#include <limits>

int optionNumber(const QString &text)
{
    int i = 0;
    const int n = int(text.size());
    while (i < n && (text[i] == u' ' || text[i] == u'\t'))
        ++i;
    bool negative = false;
    if (i < n && (text[i] == u'-' || text[i] == u'+')) {
        negative = text[i] == u'-';
        ++i;
    }
    qint64 value = 0;
    for (; i < n && text[i] >= u'0' && text[i] <= u'9'; ++i) {
        value = value * 10 + (text[i].unicode() - u'0');
        if (value > std::numeric_limits<int>::max())
            return negative ? std::numeric_limits<int>::min() : std::numeric_limits<int>::max();
    }
    return int(negative ? -value : value);
}

int Options::opt1() const
{
    return optionNumber(gOptions[1]);
}

int Options::opt2() const
{
    return optionNumber(gOptions[2]);
}

int Options::opt3() const
{
    return optionNumber(gOptions[3]);
}

bool Options::sampOn() const
{
    return optionNumber(gOptions[6]) != 0;
}
