#pragma once

#include <QList>
#include <QRect>
#include <QString>

// Which screen the partner's view goes to: never the user's, the one that shows the middle of
// the user's window or else lies nearest to it, nor one that mirrors it; the screen it was last
// on when that one is there, else the first other screen. -1 when there is no other screen: the
// view is then an ordinary window beside the user's.
namespace PartnerPlace {
struct Screen
{
    QString name; // two screens may share a name
    QRect geometry;
};

// `user` is the middle of the user's window, in the screens' coordinates.
int choose(const QList<Screen> &screens, QPoint user, const QString &remembered);
} // namespace PartnerPlace
