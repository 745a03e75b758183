#include "samples/ListStepper.h"

#include "app/frmTalk.h"
#include "platform/Clock.h"
#include "platform/DesignLayout.h"
#include "platform/FlexGrid.h"
#include "platform/TextBox.h"
#include "platform/UiServices.h"
#include "samples/ListHighlight.h"

#include <QPushButton>

namespace {
constexpr qint64 kUpHeld = 49152;
constexpr qint64 kUpReleased = 12648384;
constexpr qint64 kDownHeld = 32768;
constexpr qint64 kDownReleased = 8454016;
constexpr qint64 kStepPauseMs = 230;
} // namespace

ListStepper::ListStepper(frmTalk &talk) : m_talk(talk)
{
    QObject::connect(talk.cmdUp, &QPushButton::pressed, &talk, [this] { cmdUp_MouseDown(); });
    QObject::connect(talk.cmdUp, &QPushButton::released, &talk, [this] { cmdUp_MouseUp(); });
    QObject::connect(talk.cmdDown, &QPushButton::pressed, &talk, [this] { cmdDown_MouseDown(); });
    QObject::connect(talk.cmdDown, &QPushButton::released, &talk, [this] { cmdDown_MouseUp(); });
}

ListStepper::~ListStepper() = default;

void ListStepper::cmdUp_MouseDown()
{
    DesignLayout::setBackColour(m_talk.cmdUp, kUpHeld);
    m_talk.mKeyHeld = true;
    StepUp();
}

void ListStepper::cmdUp_MouseUp()
{
    DesignLayout::setBackColour(m_talk.cmdUp, kUpReleased);
    m_talk.mKeyHeld = false;
}

void ListStepper::cmdDown_MouseDown()
{
    DesignLayout::setBackColour(m_talk.cmdDown, kDownHeld);
    m_talk.mKeyHeld = true;
    StepDown();
}

void ListStepper::cmdDown_MouseUp()
{
    DesignLayout::setBackColour(m_talk.cmdDown, kDownReleased);
    m_talk.mKeyHeld = false;
}

ListStepper::Target ListStepper::target() const
{
    if (m_talk.grdSp->isVisibleTo(&m_talk))
        return {m_talk.grdSp, 0, 1};
    if (m_talk.grdEx->isVisibleTo(&m_talk))
        return {m_talk.grdEx, 1, 0};
    if (m_talk.grdDay->isVisibleTo(&m_talk))
        return {m_talk.grdDay, 1, 0};
    return {};
}

void ListStepper::moveHighlight(const Target &t, int row)
{
    qint32 &listRow = m_talk.state().gListRow;
    ListHighlight::paint(*t.grid, listRow, t.firstCol, ListHighlight::kOff);
    listRow = row;
    ListHighlight::paint(*t.grid, listRow, t.firstCol, ListHighlight::kOn);
}

void ListStepper::pause()
{
    Services &services = m_talk.services();
    m_talk.txtTalk->setFocus();
    services.clock.blockUntilPast(services.clock.nowMs(), kStepPauseMs);
    services.events.yield();
}

void ListStepper::StepUp()
{
    const qint32 &listRow = m_talk.state().gListRow;
    while (m_talk.mKeyHeld) {
        if (const Target t = target(); t.grid) {
            if (listRow == 0)
                return;
            moveHighlight(t, listRow - 1);
            if (t.grid->topRow() > t.topLimit)
                t.grid->setTopRow(t.grid->topRow() - 1);
            m_talk.services().events.yield();
        }
        pause();
    }
}

void ListStepper::StepDown()
{
    const qint32 &listRow = m_talk.state().gListRow;
    while (m_talk.mKeyHeld) {
        if (const Target t = target(); t.grid) {
            if (listRow + 1 >= t.grid->rows())
                return;
            moveHighlight(t, listRow + 1);
            if (t.grid->topRow() + 1 < listRow - 1)
                t.grid->setTopRow(t.grid->topRow() + 1);
            m_talk.services().events.yield();
        }
        pause();
    }
}
