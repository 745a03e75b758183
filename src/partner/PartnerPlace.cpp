#include "partner/PartnerPlace.h"

#include <algorithm>
#include <limits>

namespace PartnerPlace {
namespace {
// How far `point` lies from `rect`, squared; 0 inside it.
qint64 distance(const QRect &rect, QPoint point)
{
    const qint64 dx = std::max({rect.left() - point.x(), 0, point.x() - rect.right()});
    const qint64 dy = std::max({rect.top() - point.y(), 0, point.y() - rect.bottom()});
    return dx * dx + dy * dy;
}
} // namespace

int choose(const QList<Screen> &screens, QPoint user, const QString &remembered)
{
    qint64 nearest = std::numeric_limits<qint64>::max();
    for (const Screen &screen : screens)
        nearest = std::min(nearest, distance(screen.geometry, user));
    int chosen = -1;
    for (qsizetype i = 0; i < screens.size(); ++i) {
        if (distance(screens[i].geometry, user) == nearest)
            continue;
        if (!remembered.isEmpty() && screens[i].name == remembered)
            return int(i);
        if (chosen < 0)
            chosen = int(i);
    }
    return chosen;
}
} // namespace PartnerPlace
