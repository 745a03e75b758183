#pragma once

#include "platform/DesignLayout.h"

#include <QRect>
#include <QString>
#include <QWidget>

// A control of the options dialog: named, in its bold 15.75-point face, at its design place.
template <typename W> W *optionControl(QWidget *parent, const QString &name, QRect place)
{
    auto *w = new W(parent);
    w->setObjectName(name);
    DesignLayout::setFont(w, DesignLayout::Face::PGothic, 15.75, true);
    DesignLayout::place(w, place);
    return w;
}
