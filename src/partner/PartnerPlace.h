#pragma once

#include <QList>
#include <QString>

// Which screen the partner's view goes to: never the one the user's window is on; the screen
// it was last on when that one is there, else the first other screen. -1 when there is no
// other screen: the view is then an ordinary window beside the user's.
namespace PartnerPlace {
// `screens` are the screens' names, `userScreen` the index of the user's (two screens may
// share a name).
int choose(const QList<QString> &screens, int userScreen, const QString &remembered);
} // namespace PartnerPlace
