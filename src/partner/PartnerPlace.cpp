#include "partner/PartnerPlace.h"

namespace PartnerPlace {
int choose(const QList<QString> &screens, const QString &userScreen, const QString &remembered)
{
    if (!remembered.isEmpty() && remembered != userScreen)
        if (const qsizetype i = screens.indexOf(remembered); i >= 0)
            return int(i);
    for (qsizetype i = 0; i < screens.size(); ++i)
        if (screens[i] != userScreen)
            return int(i);
    return -1;
}
} // namespace PartnerPlace
