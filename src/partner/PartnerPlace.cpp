#include "partner/PartnerPlace.h"

namespace PartnerPlace {
int choose(const QList<QString> &screens, int userScreen, const QString &remembered)
{
    for (qsizetype i = 0; i < screens.size(); ++i)
        if (i != userScreen && !remembered.isEmpty() && screens[i] == remembered)
            return int(i);
    for (qsizetype i = 0; i < screens.size(); ++i)
        if (i != userScreen)
            return int(i);
    return -1;
}
} // namespace PartnerPlace
