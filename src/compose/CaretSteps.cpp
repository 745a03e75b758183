#include "compose/CaretSteps.h"

#include "compose/TextArea.h"
#include "platform/TextBox.h"

#include <QTextCursor>

namespace {

using Then = CaretSteps::Then;
constexpr QChar kEndMarker = TextArea::kEndMarker;

void removeAt(TextBox &box, int pos, int length)
{
    QTextCursor c = box.textCursor();
    c.setPosition(pos);
    c.setPosition(pos + length, QTextCursor::KeepAnchor);
    c.removeSelectedText();
}

void appendEndMarker(TextBox &box)
{
    QTextCursor c = box.textCursor();
    c.movePosition(QTextCursor::End);
    c.insertText(QString(kEndMarker));
}

// "→": the next character becomes the current one; from the last real character the end
// marker is appended and selected; at the end marker or the end nothing changes.
Then right(TextBox &box)
{
    const int length = box.length();
    const int start = box.selStart();
    if (start == length - 1 && !box.text().endsWith(kEndMarker)) {
        appendEndMarker(box);
        box.select(length, 1);
        return Then::YieldAndFinish;
    }
    if (start + 2 > length)
        return Then::YieldAndFinish;
    // A plain caret first selects the character after it.
    box.select(box.selLength() != 0 ? start + 1 : start, 1);
    return Then::Repeat;
}

// "ＢＳ": deletes the selection, or the character before a plain caret; the end marker
// itself is never deleted from the end.
Then backspace(TextBox &box)
{
    const int length = box.length();
    const int start = box.selStart();
    const int selected = box.selLength();
    if (selected != 0 && start == length - 1 && box.text().endsWith(kEndMarker)) {
        const int caret = std::max(start - 1, 0);
        if (start > 0)
            removeAt(box, caret, 1);
        box.select(caret, 1);
        return Then::YieldAndFinish;
    }
    if (selected != 0) {
        removeAt(box, start, selected);
        box.select(std::max(start - 1, 0), 1);
        return Then::YieldAndFinish;
    }
    if (start > 0)
        removeAt(box, start - 1, 1);
    box.select(std::max(start - 1, 0), 1);
    return Then::YieldAndFinish;
}

// "←": the character before the selection becomes the current one.
Then left(TextBox &box)
{
    const int start = box.selStart();
    if (start == 0)
        return Then::Finish;
    box.select(start - 1, 1);
    return Then::Repeat;
}

// "↓"/"↑": from the start of the current character one line down or up, the way the box's
// own cursor keys move, and the character there becomes the current one. Landing past the
// end of a shorter line (or of the text) selects the character before, so a current
// character always stays selected and nothing is ever entered behind the end marker.
Then moveLine(TextBox &box, QTextCursor::MoveOperation op)
{
    QTextCursor c = box.textCursor();
    c.setPosition(box.selStart());
    c.movePosition(op);
    const bool pastLineEnd = c.atBlockEnd() && !c.atBlockStart();
    box.select(pastLineEnd ? c.position() - 1 : c.position(), 1);
    return Then::Repeat;
}

} // namespace

Then CaretSteps::step(int index, TextBox &box)
{
    switch (index) {
    case 0:
        return right(box);
    case 1:
        return backspace(box);
    case 2:
        return left(box);
    case 3:
        return moveLine(box, QTextCursor::Down);
    case 4:
        return moveLine(box, QTextCursor::Up);
    default:
        return Then::Finish;
    }
}
