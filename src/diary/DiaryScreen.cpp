#include "diary/DiaryScreen.h"
#include "core/Spaces.h"

#include "compose/TextArea.h"
#include "core/AppState.h"
#include "core/ListHighlight.h"
#include "core/ScreenAreas.h"
#include "core/Services.h"
#include "diary/DiaryFile.h"
#include "diary/DiaryTexts.h"
#include "platform/DesignLayout.h"
#include "platform/FlexGrid.h"
#include "platform/TextBox.h"
#include "platform/UiServices.h"
#include "platform/Units.h"

#include <QPushButton>

namespace {
constexpr qint64 kCorrectingOutsideDiary = 16761024;
// While an entry is corrected the caret pad fills the foot rectangle; "戻る" moves to the place
// of "例文追加", which the diary hides.
constexpr QRect kBackBesidePad(600, 9810, 3345, 1185);
} // namespace

using Area = ScreenAreas::Area;

DiaryScreen::DiaryScreen(const DiaryControls &controls, const ComposeControls &compose,
                         ScreenAreas &areas, DiaryFile &diary, std::function<bool()> diaryOpen,
                         const Options &options, qint32 &listRow, qint32 &diaryRow,
                         Services &services, QWidget &window)
    : m_controls(controls), m_compose(compose), m_areas(areas), m_diary(diary),
      m_diaryOpen(std::move(diaryOpen)), m_options(options), m_listRow(listRow),
      m_diaryRow(diaryRow), m_services(services), m_footFrame(DesignLayout::rect(controls.fraDay)),
      m_backButton(DesignLayout::rect(controls.cmdBack))
{
    QObject::connect(controls.cmdRevise, &QPushButton::clicked, &window,
                     [this] { cmdRevise_Click(); });
    QObject::connect(controls.cmdBack, &QPushButton::clicked, &window, [this] { cmdBack_Click(); });
    QObject::connect(controls.grdDay, &FlexGrid::clicked, &window, [this] { grdDay_Click(); });
}

DiaryScreen::~DiaryScreen() = default;

void DiaryScreen::openEntry()
{
    TextBox &box = *m_compose.txtTalk;
    const QString entry = trimSpaces(m_controls.grdDay->textMatrix(m_listRow, 1));
    box.setText(entry);
    box.setSelStart(int(entry.size()));
    m_diaryRow = m_listRow;
    placeButtonsInFoot();
    m_areas.show(Area::DiaryButtons);
    DesignLayout::setBackColour(&box, Units::Colour::LightGreen);
    m_compose.cmdWide->setText(QString::fromUtf16(DiaryTexts::kNarrow));
    TextArea::setWideSizes(m_compose);
    m_areas.hide(Area::Diary);
}

void DiaryScreen::cmdRevise_Click()
{
    TextBox &box = *m_compose.txtTalk;
    TextArea::setNarrow(m_compose);
    DesignLayout::setBackColour(&box, m_diaryOpen() ? Units::Colour::LightGreen
                                                    : kCorrectingOutsideDiary);
    const int length = box.length();
    box.setSelStart(length > 0 ? length - 1 : 0);
    m_areas.show(Area::Board);
    m_areas.show(Area::CaretPad);
    placeBackBesidePad();
    box.setSelLength(1);
    box.setFocus();
}

void DiaryScreen::cmdBack_Click()
{
    if (m_diaryOpen()) {
        m_diary.LoadDiary();
        m_diary.SortDiary();
    }
    TextArea::setNarrow(m_compose);
    // Correcting may have opened the prediction list or the selection screen; left open they
    // would cover the diary list or take "決定" from it.
    m_areas.hide(Area::Predictions);
    m_areas.hide(Area::Selection);
    m_areas.hide(Area::DiaryButtons);
    placeButtonsInFoot();
    m_areas.show(Area::ListButtons);
    // The list buttons over a caret pad left from correcting, so "決定" serves the list.
    m_areas.raise(Area::ListButtons);
}

void DiaryScreen::grdDay_Click()
{
    if (m_options.beepOn())
        m_services.beeper.beep();
    FlexGrid &grid = *m_controls.grdDay;
    const int row = grid.mouseRow();
    if (row < 0)
        return; // below the last entry: nothing to highlight
    ListHighlight::paint(grid, m_listRow, 1, ListHighlight::kOff);
    ListHighlight::paint(grid, row, 1, ListHighlight::kOn);
    m_listRow = row;
    m_compose.txtTalk->setFocus();
}

void DiaryScreen::placeButtonsInFoot()
{
    DesignLayout::place(m_controls.fraDay, m_footFrame);
    DesignLayout::place(m_controls.cmdBack, m_backButton);
    m_controls.cmdRevise->show();
    m_areas.raise(Area::DiaryButtons);
}

void DiaryScreen::placeBackBesidePad()
{
    m_controls.cmdRevise->hide();
    DesignLayout::place(m_controls.fraDay, kBackBesidePad);
    DesignLayout::place(m_controls.cmdBack, QRect(QPoint(0, 0), kBackBesidePad.size()));
    m_areas.raise(Area::DiaryButtons);
}
