#include "samples/ListStepper.h"

#include "core/ListHighlight.h"
#include "core/ScreenAreas.h"
#include "core/Services.h"
#include "platform/Clock.h"
#include "platform/DesignLayout.h"
#include "platform/FlexGrid.h"
#include "platform/TextBox.h"
#include "platform/UiServices.h"

#include <QPushButton>

namespace {
constexpr qint64 kUpHeld = 49152;
constexpr qint64 kUpReleased = 12648384;
constexpr qint64 kDownHeld = 32768;
constexpr qint64 kDownReleased = 8454016;
constexpr qint64 kStepPauseMs = 230;
} // namespace

ListStepper::ListStepper(const SampleControls &controls, ScreenAreas &areas, TextBox &txtTalk,
                         bool &keyHeld, qint32 &listRow, Services &services, QWidget &window)
    : m_controls(controls), m_areas(areas), m_box(txtTalk), m_keyHeld(keyHeld), m_listRow(listRow),
      m_services(services)
{
    QObject::connect(controls.cmdUp, &QPushButton::pressed, &window, [this] { cmdUp_MouseDown(); });
    QObject::connect(controls.cmdUp, &QPushButton::released, &window, [this] { cmdUp_MouseUp(); });
    QObject::connect(controls.cmdDown, &QPushButton::pressed, &window,
                     [this] { cmdDown_MouseDown(); });
    QObject::connect(controls.cmdDown, &QPushButton::released, &window,
                     [this] { cmdDown_MouseUp(); });
}

ListStepper::~ListStepper() = default;

void ListStepper::cmdUp_MouseDown()
{
    DesignLayout::setBackColour(m_controls.cmdUp, kUpHeld);
    m_keyHeld = true;
    StepUp();
}

void ListStepper::cmdUp_MouseUp()
{
    DesignLayout::setBackColour(m_controls.cmdUp, kUpReleased);
    m_keyHeld = false;
}

void ListStepper::cmdDown_MouseDown()
{
    DesignLayout::setBackColour(m_controls.cmdDown, kDownHeld);
    m_keyHeld = true;
    StepDown();
}

void ListStepper::cmdDown_MouseUp()
{
    DesignLayout::setBackColour(m_controls.cmdDown, kDownReleased);
    m_keyHeld = false;
}

ListStepper::Target ListStepper::target() const
{
    using Area = ScreenAreas::Area;
    const std::optional<Area> list = m_areas.listOnShow();
    if (!list)
        return {};
    if (*list == Area::Predictions)
        return {&m_areas.list(*list), 0, 1};
    return {&m_areas.list(*list), 1, 0};
}

void ListStepper::moveHighlight(const Target &t, int row)
{
    ListHighlight::paint(*t.grid, m_listRow, t.firstCol, ListHighlight::kOff);
    m_listRow = row;
    ListHighlight::paint(*t.grid, m_listRow, t.firstCol, ListHighlight::kOn);
}

void ListStepper::pause()
{
    m_box.setFocus();
    m_services.clock.blockUntilPast(m_services.clock.nowMs(), kStepPauseMs);
    m_services.events.yield();
}

void ListStepper::StepUp()
{
    const qint32 &listRow = m_listRow;
    while (m_keyHeld) {
        if (const Target t = target(); t.grid) {
            if (listRow == 0)
                return;
            moveHighlight(t, listRow - 1);
            if (t.grid->topRow() > t.topLimit)
                t.grid->setTopRow(t.grid->topRow() - 1);
            m_services.events.yield();
        }
        pause();
    }
}

void ListStepper::StepDown()
{
    const qint32 &listRow = m_listRow;
    while (m_keyHeld) {
        if (const Target t = target(); t.grid) {
            if (listRow + 1 >= t.grid->rows())
                return;
            moveHighlight(t, listRow + 1);
            if (t.grid->topRow() + 1 < listRow - 1)
                t.grid->setTopRow(t.grid->topRow() + 1);
            m_services.events.yield();
        }
        pause();
    }
}
