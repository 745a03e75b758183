#include "boards/BoardEntry.h"

#include "app/frmTalk.h"
#include "boards/ConvertChar.h"
#include "compose/TextArea.h"
#include "platform/DesignLayout.h"
#include "platform/FlexGrid.h"
#include "platform/TextBox.h"
#include "platform/UiServices.h"
#include "platform/Units.h"
#include "samples/Predictions.h"
#include "voice/Voice.h"

#include <QFrame>
#include <QLabel>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int kBoardRows = 5;
constexpr int kSelectionSize = 3;
constexpr int kSelectionColumnWidth = 5060; // three fit the window with the frame's border
// The right neighbour is shown up to this board column, whatever the board's width.
constexpr int kLastColumnWithRightNeighbour = 8;
constexpr int kCentredBottom = 5;
constexpr float kWaitSeconds = 0.5f;

constexpr char16_t kKindSelect[] = u"S";
constexpr char16_t kKindEnter[] = u"E";
constexpr char16_t kKindFirst[] = u"1";

// The text an empty board cell stands for: the full-width space.
const QString &emptyCellText()
{
    static const QString text = u"\u3000"_s;
    return text;
}

void paintCurrent(FlexGrid &grid, qint64 bgr)
{
    grid.setColSel(grid.col());
    grid.setCellBackColor(bgr);
}

// Paints every cell white, then the cell (row, col) silver when its text is armed, light
// green otherwise.
void paintPressed(FlexGrid &grid, int lastRow, int lastCol, int row, int col, const QString &armed)
{
    for (int c = 0; c <= lastCol; ++c)
        for (int r = 0; r <= lastRow; ++r) {
            grid.setRow(r);
            grid.setCol(c);
            grid.setCellBackColor(Units::Colour::White);
        }
    grid.setRow(row);
    grid.setCol(col);
    paintCurrent(grid, grid.text() == armed ? Units::Colour::Silver : Units::Colour::LightGreen);
}

} // namespace

BoardEntry::BoardEntry(frmTalk &talk) : m_talk(talk)
{
    QObject::connect(talk.grdBoard, &FlexGrid::mouseDown, &talk, [this] { grdBoard_MouseDown(); });
    QObject::connect(talk.grdBoard, &FlexGrid::clicked, &talk, [this] { grdBoard_Click(); });
    QObject::connect(talk.grdBoard2, &FlexGrid::mouseDown, &talk,
                     [this] { grdBoard2_MouseDown(); });
    QObject::connect(talk.grdBoard2, &FlexGrid::clicked, &talk, [this] { grdBoard2_Click(); });
}

BoardEntry::~BoardEntry() = default;

void BoardEntry::grdBoard_MouseDown()
{
    FlexGrid &board = *m_talk.grdBoard;
    m_talk.mBoardRow = board.row();
    m_talk.mBoardCol = board.col();
    board.setRedraw(false);
    board.setEnabled(false);
    paintPressed(board, kBoardRows - 1, m_talk.state().gMaxC, m_talk.mBoardRow, m_talk.mBoardCol,
                 m_talk.state().gCellText);
    board.setEnabled(true);
    board.setRedraw(true);
}

void BoardEntry::grdBoard_Click()
{
    FlexGrid &board = *m_talk.grdBoard;
    AppState &state = m_talk.state();
    // Disabled while handled: clicks that arrive during the voice's wait and yield are dropped.
    board.setRedraw(false);
    board.setEnabled(false);
    const QString cellText = board.text();
    const QString t = cellText.isEmpty() ? emptyCellText() : cellText;
    if (state.beepOn())
        m_talk.services().beeper.beep();
    switch (state.opt1()) {
    case 0:
        paintCurrent(board, Units::kSystemDesktopColour);
        speak(t, kKindSelect);
        openSelection();
        break;
    case 1:
        if (cellText == state.gCellText) {
            speak(t, kKindSelect);
            openSelection();
        } else {
            state.gCellText = t;
            speak(t, kKindFirst);
        }
        break;
    case 2:
        paintCurrent(board, Units::kSystemDesktopColour);
        enterFromBoard(t);
        break;
    case 3:
        if (cellText == state.gCellText) {
            enterFromBoard(t);
        } else {
            state.gCellText = t;
            speak(t, kKindFirst);
        }
        break;
    default:
        break;
    }
    board.setRedraw(true);
    board.setEnabled(true);
    focusText(!m_talk.fraSet->isVisibleTo(&m_talk));
}

void BoardEntry::grdBoard2_MouseDown()
{
    FlexGrid &grid = *m_talk.grdBoard2;
    m_talk.grdBoard->setEnabled(false);
    mBoard2Row = grid.row();
    mBoard2Col = grid.col();
    grid.setRedraw(false);
    grid.setEnabled(false);
    paintPressed(grid, kSelectionSize - 1, kSelectionSize - 1, mBoard2Row, mBoard2Col,
                 m_talk.state().gCellText2);
    grid.setEnabled(true);
    grid.setRedraw(true);
    m_talk.grdBoard->setEnabled(true);
}

void BoardEntry::grdBoard2_Click()
{
    FlexGrid &grid = *m_talk.grdBoard2;
    AppState &state = m_talk.state();
    grid.setEnabled(false);
    grid.setRedraw(false);
    if (state.beepOn())
        m_talk.services().beeper.beep();
    const QString cellText = grid.text();
    if (cellText.isEmpty()) {
        grid.setEnabled(true);
        grid.setRedraw(true);
        return;
    }
    switch (state.opt2()) {
    case 0:
        state.gCellText2 = cellText;
        enterFromSelection();
        break;
    case 1:
        if (cellText != state.gCellText2) {
            state.gCellText2 = cellText;
            speak(state.gCellText2, kKindFirst);
        } else {
            enterFromSelection();
        }
        break;
    default:
        break;
    }
    focusText(true);
    grid.setEnabled(true);
    grid.setRedraw(true);
}

void BoardEntry::FillSelection(int col, int row)
{
    FlexGrid &grid = *m_talk.grdBoard2;
    const FlexGrid &board = *m_talk.grdBoard;
    grid.setRows(kSelectionSize);
    grid.setCols(kSelectionSize);
    grid.setRedraw(false);
    const bool rowShown[kSelectionSize] = {row != 0, true, row <= kBoardRows - 2};
    const bool colShown[kSelectionSize] = {col != 0, true, col <= kLastColumnWithRightNeighbour};
    for (int n = 0; n < kSelectionSize; ++n) {
        for (int k = 0; k < kSelectionSize; ++k) {
            const bool shown = rowShown[n] && colShown[k];
            grid.setTextMatrix(n, k,
                               shown ? board.textMatrix(row - 1 + n, col - 1 + k) : QString());
        }
        if (rowShown[n])
            ConvertChar(m_talk, grid.textMatrix(n, 1), n);
    }
    for (int k = 0; k < kSelectionSize; ++k)
        grid.setColWidth(k, kSelectionColumnWidth);
    for (int n = 0; n < kSelectionSize; ++n)
        for (int k = 0; k < kSelectionSize; ++k) {
            grid.setRow(n);
            grid.setCol(k);
            grid.setCellBackColor(Units::Colour::White);
            grid.setCellAlignment(kCentredBottom);
        }
    grid.setRedraw(true);
}

void BoardEntry::InsertChar()
{
    TextBox &box = *m_talk.txtTalk;
    const int p = box.selStart();
    const QString s = m_talk.txtHide->text();
    const QString text = box.text();
    QString result = QStringView(text).first(p) + s + QStringView(text).sliced(p);
    if (!result.endsWith(u'_'))
        result += u'_';
    box.setText(result);
    box.setSelStart(p + int(s.size()));
}

void BoardEntry::openSelection()
{
    FillSelection(m_talk.mBoardCol, m_talk.mBoardRow);
    const QRect board = DesignLayout::rect(m_talk.grdBoard);
    DesignLayout::setLeft(m_talk.fraSet, board.left());
    DesignLayout::setTop(m_talk.fraSet, board.top());
    m_talk.fraSet->show();
    m_talk.fraSet->raise();
}

void BoardEntry::enterFromBoard(const QString &t)
{
    m_talk.txtHide->setText(t);
    InsertChar();
    speak(t, kKindEnter);
    m_talk.predictions().OfferPredictions(m_talk.txtTalk->text());
}

void BoardEntry::enterFromSelection()
{
    const QString t = m_talk.state().gCellText2;
    m_talk.txtHide->setText(t);
    m_talk.fraSet->hide();
    InsertChar();
    speak(t, kKindEnter);
    m_talk.predictions().OfferPredictions(m_talk.txtTalk->text());
}

void BoardEntry::speak(const QString &t, const char16_t *kind)
{
    m_talk.voice().SpeakChar(t, kWaitSeconds, QString::fromUtf16(kind));
}

void BoardEntry::focusText(bool selectNext)
{
    m_talk.txtTalk->setFocus();
    if (selectNext)
        TextArea::selectNextIfNone(m_talk);
}
