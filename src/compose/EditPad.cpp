#include "compose/EditPad.h"

#include "compose/CaretSteps.h"
#include "compose/ComposeTexts.h"
#include "compose/TextArea.h"
#include "core/Services.h"
#include "platform/Clock.h"
#include "platform/DesignLayout.h"
#include "platform/TextBox.h"
#include "platform/UiServices.h"
#include "platform/Units.h"

#include <QPushButton>

namespace {
constexpr qint64 kRepeatMs = 230;
// Above this text-box height the area counts as widened.
constexpr int kWideThreshold = 2300;
} // namespace

EditPad::EditPad(const ComposeControls &controls, bool &keyHeld, Services &services,
                 QWidget &window)
    : m_controls(controls), m_keyHeld(keyHeld), m_services(services), m_window(window)
{
    for (int i = 0; i < int(controls.cmdRes.size()); ++i) {
        QObject::connect(controls.cmdRes[i], &QPushButton::pressed, &window,
                         [this, i] { cmdRes_MouseDown(i); });
        QObject::connect(controls.cmdRes[i], &QPushButton::released, &window,
                         [this, i] { cmdRes_MouseUp(i); });
    }
    QObject::connect(controls.cmdWide, &QPushButton::clicked, &window, [this] { cmdWide_Click(); });
    QObject::connect(controls.cmdCopy, &QPushButton::clicked, &window, [this] { cmdCopy_Click(); });
    QObject::connect(controls.cmdPaste, &QPushButton::clicked, &window,
                     [this] { cmdPaste_Click(); });
    for (QPushButton *b : {controls.cmdCopy, controls.cmdPaste}) {
        QObject::connect(b, &QPushButton::pressed, &window,
                         [b] { DesignLayout::setBackColour(b, Units::Colour::Grey); });
        QObject::connect(b, &QPushButton::released, &window,
                         [b] { DesignLayout::setBackColour(b, Units::Colour::White); });
    }
}

EditPad::~EditPad() = default;

void EditPad::cmdRes_MouseDown(int index)
{
    DesignLayout::setBackColour(m_controls.cmdRes[index], Units::Colour::Grey);
    m_keyHeld = true;
    PressEditKey(index);
}

void EditPad::cmdRes_MouseUp(int index)
{
    DesignLayout::setBackColour(m_controls.cmdRes[index], Units::Colour::White);
    m_keyHeld = false;
}

void EditPad::PressEditKey(int index)
{
    TextBox &box = *m_controls.txtTalk;
    Services &services = m_services;
    // The release arrives as an event during the yields and clears mKeyHeld.
    while (m_keyHeld) {
        if (!box.isVisibleTo(&m_window))
            return;
        box.setFocus();
        switch (CaretSteps::step(index, box)) {
        case CaretSteps::Then::Finish:
            return;
        case CaretSteps::Then::YieldAndFinish:
            services.events.yield();
            return;
        case CaretSteps::Then::Repeat:
            break;
        }
        services.events.yield();
        services.clock.blockUntilPast(services.clock.nowMs(), kRepeatMs);
        services.events.yield();
    }
}

void EditPad::cmdWide_Click()
{
    if (DesignLayout::rect(m_controls.txtTalk).height() > kWideThreshold) {
        TextArea::setNarrow(m_controls);
    } else {
        TextArea::setWideSizes(m_controls);
        m_controls.cmdWide->setText(QString::fromUtf16(ComposeTexts::kNarrow));
    }
    m_controls.txtTalk->setFocus();
}

void EditPad::cmdCopy_Click()
{
    Clipboard &clipboard = m_services.clipboard;
    clipboard.clear();
    clipboard.setText(m_controls.txtTalk->text());
}

void EditPad::cmdPaste_Click()
{
    Clipboard &clipboard = m_services.clipboard;
    const QString pasted = clipboard.text();
    // Nothing to paste: the text, its selection and whatever else the clipboard holds stay.
    if (pasted.isEmpty())
        return;
    // Appended whole: the box's maximum length limits typing, not what the user pastes.
    m_controls.txtTalk->setText(m_controls.txtTalk->text() + pasted);
    clipboard.clear();
}
