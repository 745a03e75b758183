#include "core/ScreenAreas.h"

#include "platform/DesignLayout.h"
#include "platform/FlexGrid.h"

#include <QFrame>
#include <array>

ScreenAreas::ScreenAreas(const Widgets &widgets) : m_widgets(widgets) {}

QWidget *ScreenAreas::widget(Area area) const
{
    // In the order of Area.
    const std::array<QWidget *, 8> byArea{
        m_widgets.board, m_widgets.selection, m_widgets.predictions, m_widgets.samples,
        m_widgets.diary, m_widgets.caretPad,  m_widgets.listButtons, m_widgets.diaryButtons};
    return byArea[std::size_t(area)];
}

void ScreenAreas::show(Area area)
{
    widget(area)->show();
}

void ScreenAreas::hide(Area area)
{
    widget(area)->hide();
}

void ScreenAreas::raise(Area area)
{
    widget(area)->raise();
}

bool ScreenAreas::shown(Area area) const
{
    return widget(area)->isVisibleTo(m_widgets.window);
}

std::optional<ScreenAreas::Area> ScreenAreas::listOnShow() const
{
    for (Area area : {Area::Predictions, Area::Samples, Area::Diary})
        if (shown(area))
            return area;
    return std::nullopt;
}

FlexGrid &ScreenAreas::list(Area area) const
{
    return *qobject_cast<FlexGrid *>(widget(area));
}

QRect ScreenAreas::boardRect() const
{
    return DesignLayout::rect(m_widgets.board);
}

void ScreenAreas::placeOverBoard(Area area)
{
    DesignLayout::place(widget(area), boardRect());
}

void ScreenAreas::moveOverBoard(Area area)
{
    const QRect board = boardRect();
    DesignLayout::setLeft(widget(area), board.left());
    DesignLayout::setTop(widget(area), board.top());
}
