#include "diary/DiaryScreen.h"

#include "app/frmTalk.h"
#include "compose/TextArea.h"
#include "diary/DiaryFile.h"
#include "diary/DiaryTexts.h"
#include "platform/DesignLayout.h"
#include "platform/FlexGrid.h"
#include "platform/TextBox.h"
#include "platform/UiServices.h"
#include "platform/Units.h"
#include "samples/SampleTexts.h"

#include <QFrame>
#include <QPushButton>

namespace {
constexpr qint64 kCorrectingOutsideDiary = 16761024;
// While an entry is corrected the caret pad fills the foot rectangle; "戻る" moves to the place
// of "例文追加", which the diary hides.
constexpr QRect kBackBesidePad(600, 9810, 3345, 1185);

void paintRow(FlexGrid &grid, int row, qint64 bgr)
{
    if (row < 0 || row >= grid.rows())
        return;
    grid.setRow(row);
    grid.setCol(1);
    grid.setColSel(grid.cols() - 1);
    grid.setCellBackColor(bgr);
}

bool diaryOpen(frmTalk &talk)
{
    return talk.cmdSamp->text() == QString::fromUtf16(SampleTexts::kDiaryCloseCaption);
}
} // namespace

DiaryScreen::DiaryScreen(frmTalk &talk)
    : m_talk(talk), m_footFrame(DesignLayout::rect(talk.fraDay)),
      m_backButton(DesignLayout::rect(talk.cmdBack))
{
    QObject::connect(talk.cmdRevise, &QPushButton::clicked, &talk, [this] { cmdRevise_Click(); });
    QObject::connect(talk.cmdBack, &QPushButton::clicked, &talk, [this] { cmdBack_Click(); });
    QObject::connect(talk.grdDay, &FlexGrid::clicked, &talk, [this] { grdDay_Click(); });
}

DiaryScreen::~DiaryScreen() = default;

void DiaryScreen::openEntry()
{
    frmTalk &talk = m_talk;
    AppState &state = talk.state();
    const QString entry = SampleTexts::trimSpaces(talk.grdDay->textMatrix(state.gListRow, 1));
    talk.txtTalk->setText(entry);
    talk.txtTalk->setSelStart(int(entry.size()));
    state.gDiaryRow = state.gListRow;
    placeButtonsInFoot();
    talk.fraDay->show();
    DesignLayout::setBackColour(talk.txtTalk, Units::Colour::LightGreen);
    talk.cmdWide->setText(QString::fromUtf16(DiaryTexts::kNarrow));
    TextArea::setWideSizes(talk);
    talk.grdDay->hide();
}

void DiaryScreen::cmdRevise_Click()
{
    frmTalk &talk = m_talk;
    TextArea::setNarrow(talk);
    DesignLayout::setBackColour(talk.txtTalk, diaryOpen(talk) ? Units::Colour::LightGreen
                                                              : kCorrectingOutsideDiary);
    const int length = talk.txtTalk->length();
    talk.txtTalk->setSelStart(length > 0 ? length - 1 : 0);
    talk.grdBoard->show();
    talk.fraRes->show();
    placeBackBesidePad();
    talk.txtTalk->setSelLength(1);
    talk.txtTalk->setFocus();
}

void DiaryScreen::cmdBack_Click()
{
    frmTalk &talk = m_talk;
    if (diaryOpen(talk)) {
        DiaryFile::LoadDiary(talk);
        DiaryFile::SortDiary(talk);
    }
    TextArea::setNarrow(talk);
    // Correcting may have opened the prediction list or the selection screen; left open they
    // would cover the diary list or take "決定" from it.
    talk.grdSp->hide();
    talk.fraSet->hide();
    talk.fraDay->hide();
    placeButtonsInFoot();
    talk.fraTalk->show();
    // The list buttons over a caret pad left from correcting, so "決定" serves the list.
    talk.fraTalk->raise();
}

void DiaryScreen::grdDay_Click()
{
    frmTalk &talk = m_talk;
    AppState &state = talk.state();
    if (state.beepOn())
        talk.services().beeper.beep();
    const int row = talk.grdDay->mouseRow();
    if (row < 0)
        return; // below the last entry: nothing to highlight
    paintRow(*talk.grdDay, state.gListRow, Units::Colour::White);
    paintRow(*talk.grdDay, row, Units::Colour::LightGreen);
    state.gListRow = row;
    talk.txtTalk->setFocus();
}

void DiaryScreen::placeButtonsInFoot()
{
    DesignLayout::place(m_talk.fraDay, m_footFrame);
    DesignLayout::place(m_talk.cmdBack, m_backButton);
    m_talk.cmdRevise->show();
    m_talk.fraDay->raise();
}

void DiaryScreen::placeBackBesidePad()
{
    m_talk.cmdRevise->hide();
    DesignLayout::place(m_talk.fraDay, kBackBesidePad);
    DesignLayout::place(m_talk.cmdBack, QRect(QPoint(0, 0), kBackBesidePad.size()));
    m_talk.fraDay->raise();
}
