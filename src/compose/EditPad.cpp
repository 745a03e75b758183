#include "compose/EditPad.h"

#include "app/frmTalk.h"
#include "compose/CaretSteps.h"
#include "compose/ComposeTexts.h"
#include "compose/TextArea.h"
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

EditPad::EditPad(frmTalk &talk) : m_talk(talk)
{
    for (int i = 0; i < int(talk.cmdRes.size()); ++i) {
        QObject::connect(talk.cmdRes[i], &QPushButton::pressed, &talk,
                         [this, i] { cmdRes_MouseDown(i); });
        QObject::connect(talk.cmdRes[i], &QPushButton::released, &talk,
                         [this, i] { cmdRes_MouseUp(i); });
    }
    QObject::connect(talk.cmdWide, &QPushButton::clicked, &talk, [this] { cmdWide_Click(); });
    QObject::connect(talk.cmdCopy, &QPushButton::clicked, &talk, [this] { cmdCopy_Click(); });
    QObject::connect(talk.cmdPaste, &QPushButton::clicked, &talk, [this] { cmdPaste_Click(); });
    for (QPushButton *b : {talk.cmdCopy, talk.cmdPaste}) {
        QObject::connect(b, &QPushButton::pressed, &talk,
                         [b] { DesignLayout::setBackColour(b, Units::Colour::Grey); });
        QObject::connect(b, &QPushButton::released, &talk,
                         [b] { DesignLayout::setBackColour(b, Units::Colour::White); });
    }
}

EditPad::~EditPad() = default;

void EditPad::cmdRes_MouseDown(int index)
{
    DesignLayout::setBackColour(m_talk.cmdRes[index], Units::Colour::Grey);
    m_talk.mKeyHeld = true;
    PressEditKey(index);
}

void EditPad::cmdRes_MouseUp(int index)
{
    DesignLayout::setBackColour(m_talk.cmdRes[index], Units::Colour::White);
    m_talk.mKeyHeld = false;
}

void EditPad::PressEditKey(int index)
{
    TextBox &box = *m_talk.txtTalk;
    Services &services = m_talk.services();
    // The release arrives as an event during the yields and clears mKeyHeld.
    while (m_talk.mKeyHeld) {
        if (!box.isVisibleTo(&m_talk))
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
    if (DesignLayout::rect(m_talk.txtTalk).height() > kWideThreshold) {
        TextArea::setNarrow(m_talk);
    } else {
        TextArea::setWideSizes(m_talk);
        m_talk.cmdWide->setText(QString::fromUtf16(ComposeTexts::kNarrow));
    }
    m_talk.txtTalk->setFocus();
}

void EditPad::cmdCopy_Click()
{
    Clipboard &clipboard = m_talk.services().clipboard;
    clipboard.clear();
    clipboard.setText(m_talk.txtTalk->text());
}

void EditPad::cmdPaste_Click()
{
    Clipboard &clipboard = m_talk.services().clipboard;
    const QString pasted = clipboard.text();
    // Nothing to paste: the text, its selection and whatever else the clipboard holds stay.
    if (pasted.isEmpty())
        return;
    // Appended whole: the box's maximum length limits typing, not what the user pastes.
    m_talk.txtTalk->setText(m_talk.txtTalk->text() + pasted);
    clipboard.clear();
}
