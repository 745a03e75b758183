#include "boards/BoardEntry.h"

#include "boards/ConvertChar.h"
#include "compose/TextArea.h"
#include "core/AppState.h"
#include "core/ScreenAreas.h"
#include "core/Services.h"
#include "platform/DesignLayout.h"
#include "platform/FlexGrid.h"
#include "platform/TextBox.h"
#include "platform/UiServices.h"
#include "platform/Units.h"

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

constexpr Voice::Kind kKindSelect = Voice::Kind::Select;
constexpr Voice::Kind kKindEnter = Voice::Kind::Enter;
constexpr Voice::Kind kKindFirst = Voice::Kind::First;

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

using Area = ScreenAreas::Area;

BoardEntry::BoardEntry(const BoardControls &controls, TextBox &txtTalk, ScreenAreas &areas,
                       Voice &voice, Entered entered, const Options &options, QString &cellText,
                       Services &services, QWidget &window)
    : m_controls(controls), m_box(txtTalk), m_areas(areas), m_voice(voice),
      m_entered(std::move(entered)), m_options(options), m_cellText(cellText), m_services(services)
{
    QObject::connect(controls.grdBoard, &FlexGrid::mouseDown, &window,
                     [this] { grdBoard_MouseDown(); });
    QObject::connect(controls.grdBoard, &FlexGrid::clicked, &window, [this] { grdBoard_Click(); });
    QObject::connect(controls.grdBoard2, &FlexGrid::mouseDown, &window,
                     [this] { grdBoard2_MouseDown(); });
    QObject::connect(controls.grdBoard2, &FlexGrid::clicked, &window,
                     [this] { grdBoard2_Click(); });
}

BoardEntry::~BoardEntry() = default;

void BoardEntry::grdBoard_MouseDown()
{
    FlexGrid &board = *m_controls.grdBoard;
    m_boardRow = board.row();
    m_boardCol = board.col();
    board.setRedraw(false);
    board.setEnabled(false);
    paintPressed(board, kBoardRows - 1, m_options.gMaxC, m_boardRow, m_boardCol, m_cellText);
    board.setEnabled(true);
    board.setRedraw(true);
}

void BoardEntry::grdBoard_Click()
{
    FlexGrid &board = *m_controls.grdBoard;
    // Disabled while handled: clicks that arrive during the voice's wait and yield are dropped.
    board.setRedraw(false);
    board.setEnabled(false);
    const QString cellText = board.text();
    const QString t = cellText.isEmpty() ? emptyCellText() : cellText;
    if (m_options.beepOn())
        m_services.beeper.beep();
    switch (m_options.opt1()) {
    case 0:
        paintCurrent(board, Units::kSystemDesktopColour);
        speak(t, kKindSelect);
        openSelection();
        break;
    case 1:
        if (cellText == m_cellText) {
            speak(t, kKindSelect);
            openSelection();
        } else {
            m_cellText = t;
            speak(t, kKindFirst);
        }
        break;
    case 2:
        paintCurrent(board, Units::kSystemDesktopColour);
        enterFromBoard(t);
        break;
    case 3:
        if (cellText == m_cellText) {
            enterFromBoard(t);
        } else {
            m_cellText = t;
            speak(t, kKindFirst);
        }
        break;
    default:
        break;
    }
    board.setRedraw(true);
    board.setEnabled(true);
    focusText(!m_areas.shown(Area::Selection));
}

void BoardEntry::grdBoard2_MouseDown()
{
    FlexGrid &grid = *m_controls.grdBoard2;
    m_controls.grdBoard->setEnabled(false);
    m_board2Row = grid.row();
    m_board2Col = grid.col();
    grid.setRedraw(false);
    grid.setEnabled(false);
    paintPressed(grid, kSelectionSize - 1, kSelectionSize - 1, m_board2Row, m_board2Col,
                 m_cellText2);
    grid.setEnabled(true);
    grid.setRedraw(true);
    m_controls.grdBoard->setEnabled(true);
}

void BoardEntry::grdBoard2_Click()
{
    FlexGrid &grid = *m_controls.grdBoard2;
    grid.setEnabled(false);
    grid.setRedraw(false);
    if (m_options.beepOn())
        m_services.beeper.beep();
    const QString cellText = grid.text();
    if (cellText.isEmpty()) {
        grid.setEnabled(true);
        grid.setRedraw(true);
        return;
    }
    switch (m_options.opt2()) {
    case 0:
        m_cellText2 = cellText;
        enterFromSelection();
        break;
    case 1:
        if (cellText != m_cellText2) {
            m_cellText2 = cellText;
            speak(m_cellText2, kKindFirst);
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
    FlexGrid &grid = *m_controls.grdBoard2;
    const FlexGrid &board = *m_controls.grdBoard;
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
            ConvertChar(grid, grid.textMatrix(n, 1), n);
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
    TextBox &box = m_box;
    const int p = box.selStart();
    const QString s = m_controls.txtHide->text();
    const QString text = box.text();
    QString result = QStringView(text).first(p) + s + QStringView(text).sliced(p);
    if (!result.endsWith(TextArea::kEndMarker))
        result += TextArea::kEndMarker;
    box.setText(result);
    box.setSelStart(p + int(s.size()));
}

void BoardEntry::clearColours()
{
    FlexGrid &board = *m_controls.grdBoard;
    board.setRedraw(false);
    for (int r = 0; r < kBoardRows; ++r) {
        board.setRow(r);
        board.setCol(0);
        board.setColSel(m_options.gMaxC);
        board.setCellBackColor(Units::Colour::White);
    }
    board.setRedraw(true);
}

void BoardEntry::openSelection()
{
    FillSelection(m_boardCol, m_boardRow);
    m_areas.moveOverBoard(Area::Selection);
    m_areas.show(Area::Selection);
    m_areas.raise(Area::Selection);
}

void BoardEntry::enterFromBoard(const QString &t)
{
    m_controls.txtHide->setText(t);
    InsertChar();
    speak(t, kKindEnter);
    m_entered(m_box.text());
}

void BoardEntry::enterFromSelection()
{
    const QString t = m_cellText2;
    m_controls.txtHide->setText(t);
    m_areas.hide(Area::Selection);
    InsertChar();
    speak(t, kKindEnter);
    m_entered(m_box.text());
}

void BoardEntry::speak(const QString &t, Voice::Kind kind)
{
    m_voice.SpeakChar(t, kWaitSeconds, kind);
}

void BoardEntry::focusText(bool selectNext)
{
    m_box.setFocus();
    if (selectNext)
        TextArea::selectNextIfNone(m_box);
}
