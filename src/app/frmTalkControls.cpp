// The main window's control inventory: names, captions, fonts, design places, containers,
// colours and visibility at start.
#include "access/AccessTexts.h"
#include "access/CallButton.h"
#include "app/frmTalk.h"
#include "core/AppTexts.h"
#include "platform/DesignButton.h"
#include "platform/DesignLayout.h"
#include "platform/FlexGrid.h"
#include "platform/PressGuard.h"
#include "platform/TextBox.h"
#include "platform/UiText.h"
#include "quick/QuickBand.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>

using namespace Qt::Literals::StringLiterals;
using DesignLayout::Face;

namespace {
constexpr int kTextWidth = 14325;
constexpr int kCallGap = 90; // between the text box and the call button, as before "広げる"

// Screen readers take a button's name from its caption, so the name follows every change.
DesignButton *button(QWidget *parent, const QString &name, const QString &caption, QRect place,
                     double points, bool bold, qint64 back = 16777215)
{
    auto *b = new DesignButton(caption, parent);
    b->setObjectName(name);
    b->setFocusPolicy(Qt::NoFocus);
    DesignLayout::setFont(b, Face::PGothic, points, bold);
    DesignLayout::setBackColour(b, back);
    DesignLayout::place(b, place);
    return b;
}

// A caret-pad or stepping button: its mouse-down acts for any mouse button (a switch
// interface, a trackball's other button).
DesignButton *padButton(QWidget *parent, const QString &name, const QString &caption, QRect place,
                        double points, bool bold, qint64 back = 16777215)
{
    DesignButton *b = button(parent, name, caption, place, points, bold, back);
    b->setAnyMouseButton(true);
    return b;
}

QFrame *frame(QWidget *parent, const QString &name, QRect place, qint64 back = -1)
{
    auto *f = new QFrame(parent);
    f->setObjectName(name);
    f->setFrameShape(QFrame::NoFrame);
    if (back >= 0)
        DesignLayout::setBackColour(f, back);
    DesignLayout::place(f, place);
    return f;
}

FlexGrid *grid(QWidget *parent, const QString &name, const QString &accessible, QRect place,
               double points)
{
    auto *g = new FlexGrid(parent);
    g->setObjectName(name);
    g->setAccessibleName(accessible);
    DesignLayout::setFont(g, Face::Gothic, points, false);
    DesignLayout::place(g, place);
    return g;
}
} // namespace

void frmTalk::createControls()
{
    // Lists laid over the board take its rectangle when shown; until then they share it.
    const QRect board(0, 2400, 15345, 5715);

    grdSp = grid(this, u"grdSp"_s, u"予測の一覧"_s, board, 54.75);
    grdSp->setRowHeight(1140);

    // The selection screen covers the board and what lies below it, inside the window: its
    // three columns and its buttons are never cut at the window's (or the screen's) edge.
    fraSet =
        frame(this, u"fraSet"_s, QRect(14640, 2400, kDesignWidth, kDesignHeight - 2400), 16777215);
    grdBoard2 = grid(fraSet, u"grdBoard2"_s, u"拡大文字盤"_s, QRect(30, 30, 15210, 6975), 114.75);
    grdBoard2->setRowHeight(6975 / 3);
    cmdEnd2 = button(fraSet, u"cmdEnd2"_s, text(AppTexts::kBack), QRect(6120, 7080, 9075, 1560), 48,
                     true);
    cmdspace = button(fraSet, u"cmdspace"_s, text(AppTexts::kSpace), QRect(120, 7080, 5775, 1560),
                      48, false);

    grdEx = grid(this, u"grdEx"_s, u"例文の一覧"_s, board, 54.75);
    grdEx->setRowHeight(1140);

    fraText = frame(this, u"fraText"_s, QRect(0, 0, 15330, 2355));
    txtTalk = new TextBox(fraText);
    txtTalk->setObjectName(u"txtTalk"_s);
    txtTalk->setAccessibleName(u"文章"_s);
    txtTalk->setMaxLength(500);
    DesignLayout::setFont(txtTalk, Face::Gothic, 55, true);
    DesignLayout::place(txtTalk, QRect(0, 0, kTextWidth, 2295));
    cmdWide = button(fraText, u"cmdWide"_s, text(AppTexts::kWiden), QRect(14415, 150, 855, 2175),
                     27.75, false, 16761024);
    cmdCopy = button(fraText, u"cmdCopy"_s, text(AppTexts::kCopy), QRect(14415, 2670, 855, 2235),
                     24, true, 13206417);
    cmdPaste = button(fraText, u"cmdPaste"_s, text(AppTexts::kPaste), QRect(14415, 5280, 855, 2235),
                      24, true, 13206417);

    fraRes = frame(this, u"fraRes"_s, QRect(4020, 8100, 8475, 3015), 16744576);
    cmdRes[3] = padButton(fraRes, u"cmdRes_3"_s, text(AppTexts::kCaretDown),
                          QRect(2220, 1740, 1545, 1155), 36, true, 8454016);
    cmdRes[4] = padButton(fraRes, u"cmdRes_4"_s, text(AppTexts::kCaretUp),
                          QRect(2220, 180, 1545, 1155), 36, true, 12648384);
    cmdStart = button(fraRes, u"cmdStart"_s, text(AppTexts::kStart), QRect(6060, 1800, 2265, 1155),
                      36, false);
    cmdRes[0] = padButton(fraRes, u"cmdRes_0"_s, text(AppTexts::kCaretRight),
                          QRect(4380, 180, 1275, 2715), 48, true);
    cmdRes[1] = padButton(fraRes, u"cmdRes_1"_s, text(AppTexts::kCaretBs),
                          QRect(6060, 180, 2265, 1305), 36, true, 12640511);
    cmdRes[2] = padButton(fraRes, u"cmdRes_2"_s, text(AppTexts::kCaretLeft),
                          QRect(360, 180, 1275, 2715), 48, true);

    cmdSamp = button(this, u"cmdSamp"_s, text(AppTexts::kShowSamples), QRect(600, 8280, 3345, 1245),
                     36, false, 16761024);
    cmdSampADD = button(this, u"cmdSampADD"_s, text(AppTexts::kAddSample),
                        QRect(600, 9810, 3345, 1185), 36, false);
    grdDay = grid(this, u"grdDay"_s, u"日記の一覧"_s, board, 54.75);
    grdDay->setRowHeight(1140);
    cmdKey = button(this, u"cmdKey"_s, text(AppTexts::kAlnum), QRect(12870, 9990, 2295, 1065), 36,
                    false);
    cmdRead = button(this, u"cmdRead"_s, text(AppTexts::kRead), QRect(12870, 8370, 2295, 1200), 36,
                     false, 16761024);
    cmdEnd =
        button(this, u"cmdEnd"_s, text(AppTexts::kEnd), QRect(0, 9840, 405, 1065), 15.75, true);
    cmdOpt =
        button(this, u"cmdOpt"_s, text(AppTexts::kOptions), QRect(0, 8280, 405, 1065), 15.75, true);
    grdBoard = grid(this, u"grdBoard"_s, u"文字盤"_s, board, 54.75);
    grdBoard->setRowHeight(5715 / 5);
    grdBoard->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grdBoard->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grdBoard2->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grdBoard2->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    fraDay = frame(this, u"fraDay"_s, QRect(4020, 8100, 8475, 2955), 16744576);
    cmdRevise = button(fraDay, u"cmdRevise"_s, text(AppTexts::kRevise), QRect(480, 240, 3135, 2655),
                       36, false, 16761024);
    cmdBack = button(fraDay, u"cmdBack"_s, text(AppTexts::kBack), QRect(4920, 240, 3135, 2655), 36,
                     false, 12632319);

    fraTalk = frame(this, u"fraTalk"_s, QRect(4020, 8100, 8475, 2955), 16744576);
    cmdUp = padButton(fraTalk, u"cmdUp"_s, text(AppTexts::kUp), QRect(480, 240, 1935, 2655), 48,
                      true, 12648384);
    cmdDown = padButton(fraTalk, u"cmdDown"_s, text(AppTexts::kDown), QRect(3360, 240, 1935, 2655),
                        48, true, 8454016);
    cmdDec = button(fraTalk, u"cmdDec"_s, text(AppTexts::kDecide), QRect(6360, 240, 1695, 2655), 36,
                    false);

    cmdSampDel = button(this, u"cmdSampDel"_s, text(AppTexts::kDeleteSample),
                        QRect(600, 9840, 3345, 720), 36, false);

    // In the text frame, so it stays in front of the text when that is widened over the board.
    cmdCall = new CallButton(text(AccessTexts::kCallGroup), m_services.clock, fraText);
    cmdCall->setObjectName(u"cmdCall"_s);
    cmdCall->setFocusPolicy(Qt::NoFocus);
    DesignLayout::setFont(cmdCall, Face::PGothic, 20, true);
    DesignLayout::setBackColour(cmdCall, 8421631); // a soft red: the one call for help
    DesignLayout::place(cmdCall, kCallButtonPlace);

    // Below everything else, so the board and the foot keep their places when it is shown.
    fraQuick = new QuickBand(kDesignWidth, this);
    DesignLayout::place(fraQuick, QRect(0, kDesignHeight, kDesignWidth, QuickBand::kHeight));

    txtHide = new QLabel(this);
    txtHide->setObjectName(u"txtHide"_s);
    DesignLayout::place(txtHide, QRect(0, 0, 1215, 1575));

    for (QWidget *hidden : std::initializer_list<QWidget *>{
             grdSp, fraSet, grdEx, grdDay, fraDay, fraTalk, cmdSampDel, txtHide, cmdCall, fraQuick})
        hidden->hide();
}

void frmTalk::setCallShown(bool shown)
{
    QRect textPlace = DesignLayout::rect(txtTalk);
    textPlace.setWidth(shown ? kCallButtonPlace.left() - kCallGap : kTextWidth);
    DesignLayout::place(txtTalk, textPlace);
    cmdCall->setVisible(shown);
}

void frmTalk::guardReplacedControls()
{
    auto *guard = new PressGuard(m_services.clock, this);
    // "例文追加" and "例文削除" take each other's place; the list buttons and the caret pad
    // share the foot rectangle with the diary's buttons; the lists and the selection screen
    // are laid over the board, which comes back when the selection screen closes.
    for (QWidget *control : std::initializer_list<QWidget *>{
             cmdSampADD, cmdSampDel, cmdUp, cmdDown, cmdDec, cmdRes[0], cmdRes[1], cmdRes[2],
             cmdRes[3], cmdRes[4], cmdStart, cmdRevise, cmdBack, grdSp, grdEx, grdDay, grdBoard2,
             cmdEnd2, cmdspace})
        guard->guard(control);
    guard->guardBeneath(fraSet, grdBoard);
}
