#include "access/CallCorners.h"

#include "access/AccessTexts.h"
#include "access/CallButton.h"
#include "dialogs/frmOK.h"
#include "platform/DesignLayout.h"
#include "platform/UiText.h"
#include "voice/frmRead.h"

#include <QApplication>
#include <QLabel>

using namespace Qt::Literals::StringLiterals;

namespace {
constexpr int kGap = 120;
// Twips: on the question, in its top right corner with its text made room beside it; on the
// panel, left of the stop label, where the panel is empty.
constexpr QRect kOnQuestion{10620, 120, 1005, 1800};
constexpr QRect kOnPanel{600, 660, 1200, 1515};
} // namespace

CallCorners::CallCorners(const Clock &clock, std::function<void()> ring)
    : m_clock(clock), m_ring(std::move(ring))
{
    qApp->installEventFilter(this);
}

CallCorners::~CallCorners()
{
    qApp->removeEventFilter(this);
}

CallButton *CallCorners::buttonOf(const QWidget *window)
{
    return window->findChild<CallButton *>(u"cmdCall"_s, Qt::FindDirectChildrenOnly);
}

void CallCorners::setOn(bool on)
{
    m_on = on;
}

void CallCorners::addTo(QWidget *window)
{
    auto *call = new CallButton(text(AccessTexts::kCallGroup), m_clock, window);
    call->setObjectName(u"cmdCall"_s);
    call->setFocusPolicy(Qt::NoFocus);
    DesignLayout::setFont(call, DesignLayout::Face::PGothic, 20, true);
    DesignLayout::setBackColour(call, 8421631); // the main window's call button's soft red
    if (auto *question = qobject_cast<frmOK *>(window)) {
        DesignLayout::place(call, kOnQuestion);
        QRect text = DesignLayout::rect(question->lblOK);
        text.setRight(std::min(text.right(), kOnQuestion.left() - kGap));
        DesignLayout::place(question->lblOK, text);
    } else {
        DesignLayout::place(call, kOnPanel);
    }
    connect(call, &CallButton::callRequested, this, [this] { m_ring(); });
    call->show();
}

bool CallCorners::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::Show || !watched->isWidgetType())
        return false;
    auto *window = static_cast<QWidget *>(watched);
    if (!qobject_cast<frmOK *>(window) && !qobject_cast<frmRead *>(window))
        return false;
    CallButton *call = buttonOf(window);
    if (!call && m_on)
        addTo(window);
    else if (call)
        call->setVisible(m_on);
    return false;
}
