#include "compose/TextArea.h"

#include "app/AppTexts.h"
#include "app/frmTalk.h"
#include "platform/DesignLayout.h"
#include "platform/TextBox.h"

#include <QPushButton>

void TextArea::setNarrow(frmTalk &talk)
{
    DesignLayout::setHeight(talk.fraText, kNarrowFrame);
    DesignLayout::setHeight(talk.txtTalk, kNarrowText);
    talk.cmdWide->setText(QString::fromUtf16(AppTexts::kWiden));
}

void TextArea::setWideSizes(frmTalk &talk)
{
    DesignLayout::setHeight(talk.fraText, talk.heightTwips() - kWideFrameMargin);
    DesignLayout::setHeight(talk.txtTalk, talk.heightTwips() - kWideTextMargin);
    talk.fraText->raise();
}

void TextArea::ensureEndMarker(frmTalk &talk)
{
    const QString text = talk.txtTalk->text();
    if (text.endsWith(QChar(kEndMarker)))
        return;
    const int start = talk.txtTalk->selStart();
    const int length = talk.txtTalk->selLength();
    talk.txtTalk->setText(text + QChar(kEndMarker));
    talk.txtTalk->select(start, length);
}

void TextArea::selectNextIfNone(frmTalk &talk)
{
    if (talk.txtTalk->selLength() != 0)
        return;
    talk.txtTalk->setSelLength(1);
}
