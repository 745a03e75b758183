#include "samples/SampleScreen.h"
#include "core/Spaces.h"

#include "boards/BoardEntry.h"
#include "compose/ComposeControls.h"
#include "compose/TextArea.h"
#include "core/AppState.h"
#include "core/ListHighlight.h"
#include "core/ScreenAreas.h"
#include "core/Services.h"
#include "dialogs/AskUser.h"
#include "dialogs/frmOK.h"
#include "diary/DiaryFile.h"
#include "diary/DiaryScreen.h"
#include "platform/DesignLayout.h"
#include "platform/FlexGrid.h"
#include "platform/TextBox.h"
#include "platform/UiServices.h"
#include "platform/UiText.h"
#include "platform/Units.h"
#include "samples/Predictions.h"
#include "samples/SampleControls.h"
#include "samples/SampleFile.h"
#include "samples/SampleTexts.h"

#include <QPushButton>

namespace {
constexpr qint64 kSampHeld = 12582912;
constexpr qint64 kSampReleased = 16761024;
// Column 0 when the list is shown, and the part of the width the scroll bar takes.
constexpr int kShowLabelWidth = 2400;
constexpr int kScrollBarWidth = 338;
constexpr int kAddLabelWidth = 2500;

// The sentence the composition stands for: without its end marker, trimmed.
QString compositionSentence(const QString &composition)
{
    QString sentence = composition;
    if (sentence.endsWith(TextArea::kEndMarker))
        sentence.chop(1);
    return trimSpaces(sentence);
}

// Texts that would be saved as (or read back as) the diary entry.
bool becomesDiary(const QString &sentence)
{
    return SampleTexts::isReserved(sentence) || sentence == text(SampleFile::kPlaceholder);
}
} // namespace

using Area = ScreenAreas::Area;

SampleScreen::SampleScreen(const SampleControls &controls, const ComposeControls &compose,
                           ScreenAreas &areas, SampleFile &samples, DiaryFile &diary,
                           DiaryScreen &diaryScreen, Predictions &predictions, BoardEntry &board,
                           const Options &options, qint32 &listRow, Services &services,
                           QWidget &window)
    : m_controls(controls), m_compose(compose), m_areas(areas), m_samples(samples), m_diary(diary),
      m_diaryScreen(diaryScreen), m_predictions(predictions), m_board(board), m_options(options),
      m_listRow(listRow), m_services(services), m_window(window)
{
    const SampleControls &c = m_controls;
    QObject::connect(c.cmdSamp, &QPushButton::clicked, &window, [this] { cmdSamp_Click(); });
    QObject::connect(c.cmdSamp, &QPushButton::pressed, &window, [this] { cmdSamp_MouseDown(); });
    QObject::connect(c.cmdSamp, &QPushButton::released, &window, [this] { cmdSamp_MouseUp(); });
    QObject::connect(c.cmdSampADD, &QPushButton::clicked, &window, [this] { cmdSampADD_Click(); });
    QObject::connect(c.cmdSampDel, &QPushButton::clicked, &window, [this] { cmdSampDel_Click(); });
    QObject::connect(c.grdEx, &FlexGrid::clicked, &window, [this] { grdEx_Click(); });
    QObject::connect(compose.cmdStart, &QPushButton::clicked, &window,
                     [this] { cmdStart_Click(); });
    QObject::connect(c.cmdDec, &QPushButton::clicked, &window, [this] { cmdDec_Click(); });
}

SampleScreen::~SampleScreen() = default;

bool SampleScreen::ask(const char16_t *prompt, int kind, const char16_t *title)
{
    return AskUser(m_services.asker, m_services.busy, &m_window, text(prompt), kind, text(title));
}

bool SampleScreen::diaryOpen() const
{
    return m_controls.cmdSamp->text() == text(SampleTexts::kDiaryCloseCaption);
}

void SampleScreen::cmdSamp_MouseDown()
{
    DesignLayout::setBackColour(m_controls.cmdSamp, kSampHeld);
}

void SampleScreen::cmdSamp_MouseUp()
{
    DesignLayout::setBackColour(m_controls.cmdSamp, kSampReleased);
}

void SampleScreen::cmdSamp_Click()
{
    TextBox &box = *m_compose.txtTalk;
    m_services.busy.setBusy(true);
    m_window.setEnabled(false);
    TextArea::setNarrow(m_compose);
    const QString caption = m_controls.cmdSamp->text();
    if (caption == text(SampleTexts::kShowCaption)) {
        m_controls.grdEx->setRedraw(false);
        reloadList();
        placeOverBoard(kShowLabelWidth, kScrollBarWidth);
        highlightAtTop(0);
        m_controls.grdEx->setRedraw(true);
        showListScreen();
    } else if (caption == text(SampleTexts::kCloseCaption)) {
        DesignLayout::setBackColour(&box, Units::Colour::White);
        showBoardScreen();
    } else if (caption == text(SampleTexts::kDiaryCloseCaption)) {
        if (!m_areas.shown(Area::Diary)) {
            if (ask(SampleTexts::kDiaryEndQuestion, frmOK::kYesNo, SampleTexts::kDiaryEndTitle) &&
                !m_diary.SaveDiary(box.text()))
                ask(SampleTexts::kDiarySaveFailed, frmOK::kNotice, SampleTexts::kDiaryEndTitle);
        }
        DesignLayout::setBackColour(&box, Units::Colour::White);
        showBoardScreen();
        m_areas.hide(Area::DiaryButtons);
    }
    m_window.setEnabled(true);
    box.setFocus();
    TextArea::ensureEndMarker(box);
    m_services.busy.setBusy(false);
}

void SampleScreen::cmdSampADD_Click()
{
    const QString sentence = compositionSentence(m_compose.txtTalk->text());
    if (sentence.isEmpty())
        return;
    m_services.busy.setBusy(true);
    if (becomesDiary(sentence)) {
        ask(SampleTexts::kReservedRefused, frmOK::kNotice, SampleTexts::kAddTitle);
        return;
    }
    FlexGrid &grid = *m_controls.grdEx;
    for (int r = 0; r < grid.rows(); ++r) {
        if (trimSpaces(grid.textMatrix(r, 1)) == sentence) {
            ask(SampleTexts::kDuplicate, frmOK::kNotice, SampleTexts::kAddTitle);
            m_services.busy.setBusy(false);
            return;
        }
    }
    grid.setRedraw(false);
    grid.appendRow(1, sentence);
    const bool saved = m_samples.SaveSamples();
    if (saved) {
        reloadList();
    } else {
        // The file keeps its old content, so the list is regrouped as it stands and the new
        // sentence stays in it.
        for (int r = 0; r < grid.rows(); ++r)
            ListHighlight::paint(grid, r, 1, ListHighlight::kOff);
        m_samples.GroupSamples();
        m_samples.PlaceDiaryRow();
    }
    int row = 0;
    while (row < grid.rows() && trimSpaces(grid.textMatrix(row, 1)) != sentence)
        ++row;
    highlightAtTop(row < grid.rows() ? row : 0);
    placeOverBoard(kAddLabelWidth, 0);
    grid.setRedraw(true);
    showListScreen();
    if (!saved)
        ask(SampleTexts::kSaveFailed, frmOK::kNotice, SampleTexts::kAddTitle);
    m_services.busy.setBusy(false);
}

void SampleScreen::cmdSampDel_Click()
{
    FlexGrid &grid = *m_controls.grdEx;
    const int row = m_listRow;
    const QString sentence = grid.textMatrix(row, 1);
    const QString trimmed = trimSpaces(sentence);
    if (trimmed.isEmpty() || SampleTexts::isReserved(trimmed))
        return;
    if (!ask(SampleTexts::kDeleteQuestion, frmOK::kOkCancel, SampleTexts::kDeleteTitle))
        return;
    grid.setRedraw(false);
    grid.setTextMatrix(row, 1, QString());
    const bool saved = m_samples.SaveSamples();
    if (!saved)
        grid.setTextMatrix(row, 1, sentence);
    grid.setRedraw(true);
    if (!saved)
        ask(SampleTexts::kSaveFailed, frmOK::kNotice, SampleTexts::kDeleteTitle);
}

void SampleScreen::grdEx_Click()
{
    FlexGrid &grid = *m_controls.grdEx;
    const int row = grid.mouseRow();
    // A click below the last row names no sentence.
    if (row < 0)
        return;
    if (m_options.beepOn())
        m_services.beeper.beep();
    ListHighlight::paint(grid, m_listRow, 1, ListHighlight::kOff);
    ListHighlight::paint(grid, row, 1, ListHighlight::kOn);
    m_listRow = row;
    m_compose.txtTalk->setFocus();
}

void SampleScreen::cmdStart_Click()
{
    if (!ask(SampleTexts::kStartQuestion, frmOK::kOkCancel, SampleTexts::kAddTitle))
        return;
    m_compose.txtTalk->setText(QString());
    m_board.clearColours();
}

void SampleScreen::cmdDec_Click()
{
    m_window.setEnabled(false);
    if (m_areas.shown(Area::Predictions)) {
        m_predictions.confirm();
        return;
    }
    if (m_areas.shown(Area::Samples)) {
        if (!decideSample())
            return;
    } else if (m_areas.shown(Area::Diary)) {
        m_diaryScreen.openEntry();
    }
    decideEnd();
}

bool SampleScreen::decideSample()
{
    const SampleControls &c = m_controls;
    const QString chosen = c.grdEx->textMatrix(m_listRow, 1);
    if (chosen == text(SampleTexts::kDiary)) {
        m_diary.LoadDiary();
        m_diary.SortDiary();
        c.cmdSamp->setText(text(SampleTexts::kDiaryCloseCaption));
        c.cmdSampADD->hide();
        c.cmdSampDel->hide();
        m_areas.hide(Area::Samples);
        m_window.setEnabled(true);
        m_compose.txtTalk->setFocus();
        return false;
    }
    TextBox &box = *m_compose.txtTalk;
    const int caret = box.selStart();
    const QString sentence = trimSpaces(chosen);
    const QString composition = box.text();
    box.setText(composition.left(caret) + sentence + composition.mid(caret));
    box.setSelStart(caret + int(sentence.size()));
    m_areas.show(Area::CaretPad);
    m_areas.show(Area::Board);
    c.cmdSamp->setText(text(SampleTexts::kShowCaption));
    c.cmdSampDel->hide();
    c.cmdSampADD->show();
    m_areas.hide(Area::Samples);
    return true;
}

void SampleScreen::decideEnd()
{
    m_areas.hide(Area::ListButtons);
    m_window.setEnabled(true);
    m_compose.txtTalk->setFocus();
    TextArea::selectNextIfNone(*m_compose.txtTalk);
}

void SampleScreen::reloadList()
{
    m_samples.LoadSamples();
    m_samples.GroupSamples();
    m_samples.PlaceDiaryRow();
}

void SampleScreen::highlightAtTop(int row)
{
    FlexGrid &grid = *m_controls.grdEx;
    m_listRow = row;
    ListHighlight::paint(grid, row, 1, ListHighlight::kOn);
    grid.setTopRow(row);
}

void SampleScreen::placeOverBoard(int labelWidth, int margin)
{
    m_areas.placeOverBoard(Area::Samples);
    const int width = m_areas.boardRect().width();
    m_controls.grdEx->setColWidth(0, labelWidth);
    m_controls.grdEx->setColWidth(1, width - labelWidth - margin);
}

void SampleScreen::showListScreen()
{
    const SampleControls &c = m_controls;
    m_areas.hide(Area::Board);
    m_areas.hide(Area::Predictions);
    m_areas.hide(Area::Diary);
    m_areas.show(Area::Samples);
    c.cmdSamp->setText(text(SampleTexts::kCloseCaption));
    c.cmdSampDel->show();
    c.cmdSampADD->hide();
    m_areas.hide(Area::CaretPad);
    m_areas.show(Area::ListButtons);
}

void SampleScreen::showBoardScreen()
{
    const SampleControls &c = m_controls;
    m_areas.show(Area::Board);
    m_areas.hide(Area::Samples);
    m_areas.hide(Area::Predictions);
    m_areas.hide(Area::Diary);
    c.cmdSamp->setText(text(SampleTexts::kShowCaption));
    c.cmdSampDel->hide();
    c.cmdSampADD->show();
    m_areas.hide(Area::ListButtons);
    m_areas.show(Area::CaretPad);
}
