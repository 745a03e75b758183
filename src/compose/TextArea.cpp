#include "compose/TextArea.h"

#include "compose/ComposeControls.h"
#include "core/AppTexts.h"
#include "platform/DesignLayout.h"
#include "platform/TextBox.h"

#include <QFrame>
#include <QPushButton>

namespace {
int g_roomBelowText = 0;
} // namespace

void TextArea::setRoomBelowText(int twips)
{
    g_roomBelowText = twips;
}

int TextArea::roomBelowText()
{
    return g_roomBelowText;
}

void TextArea::changeRoomBelowText(const ComposeControls &compose, int twips)
{
    const int change = twips - g_roomBelowText;
    g_roomBelowText = twips;
    DesignLayout::setHeight(compose.txtTalk, DesignLayout::rect(compose.txtTalk).height() - change);
}

void TextArea::setNarrow(const ComposeControls &compose)
{
    DesignLayout::setHeight(compose.fraText, kNarrowFrame);
    DesignLayout::setHeight(compose.txtTalk, kNarrowText - g_roomBelowText);
    compose.cmdWide->setText(QString::fromUtf16(AppTexts::kWiden));
}

void TextArea::setWideSizes(const ComposeControls &compose)
{
    DesignLayout::setHeight(compose.fraText, kWindowOuterHeight - kWideFrameMargin);
    DesignLayout::setHeight(compose.txtTalk,
                            kWindowOuterHeight - kWideTextMargin - g_roomBelowText);
    compose.fraText->raise();
}

void TextArea::ensureEndMarker(TextBox &box)
{
    const QString text = box.text();
    if (text.endsWith(QChar(kEndMarker)))
        return;
    const int start = box.selStart();
    const int length = box.selLength();
    box.setText(text + QChar(kEndMarker));
    box.select(start, length);
}

QString TextArea::withoutEndMarkers(QString text)
{
    return text.remove(QChar(kEndMarker));
}

void TextArea::selectNextIfNone(TextBox &box)
{
    if (box.selLength() != 0)
        return;
    box.setSelLength(1);
}
