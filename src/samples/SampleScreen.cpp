#include "samples/SampleScreen.h"

#include "app/frmTalk.h"
#include "compose/TextArea.h"
#include "dialogs/AskUser.h"
#include "diary/DiaryFile.h"
#include "diary/DiaryScreen.h"
#include "platform/DesignLayout.h"
#include "platform/FlexGrid.h"
#include "platform/TextBox.h"
#include "platform/UiServices.h"
#include "platform/Units.h"
#include "samples/ListHighlight.h"
#include "samples/Predictions.h"
#include "samples/SampleFile.h"
#include "samples/SampleTexts.h"

#include <QFrame>
#include <QPushButton>

namespace {
constexpr qint64 kSampHeld = 12582912;
constexpr qint64 kSampReleased = 16761024;
constexpr int kNotice = 48;
constexpr int kYesNo = 36;
constexpr int kOkCancel = 33;
// Column 0 when the list is shown, and the part of the width the scroll bar takes.
constexpr int kShowLabelWidth = 2400;
constexpr int kScrollBarWidth = 338;
constexpr int kAddLabelWidth = 2500;
constexpr int kBoardRows = 5;

QString text(const char16_t *s)
{
    return QString::fromUtf16(s);
}

bool shown(const QWidget *w, const frmTalk &talk)
{
    return w->isVisibleTo(&talk);
}

// The sentence the composition stands for: without its end marker, trimmed.
QString compositionSentence(const QString &composition)
{
    QString sentence = composition;
    if (sentence.endsWith(u'_'))
        sentence.chop(1);
    return SampleTexts::trimSpaces(sentence);
}

// Texts that would be saved as (or read back as) the diary entry.
bool becomesDiary(const QString &sentence)
{
    return SampleTexts::isReserved(sentence) || sentence == text(SampleFile::kPlaceholder);
}

// Lays the list over the board with column 0 `labelWidth` twips and column 1 the rest less
// `margin`.
void placeOverBoard(frmTalk &talk, int labelWidth, int margin)
{
    const QRect board = DesignLayout::rect(talk.grdBoard);
    DesignLayout::place(talk.grdEx, board);
    talk.grdEx->setColWidth(0, labelWidth);
    talk.grdEx->setColWidth(1, board.width() - labelWidth - margin);
}
} // namespace

SampleScreen::SampleScreen(frmTalk &talk) : m_talk(talk)
{
    QObject::connect(talk.cmdSamp, &QPushButton::clicked, &talk, [this] { cmdSamp_Click(); });
    QObject::connect(talk.cmdSamp, &QPushButton::pressed, &talk, [this] { cmdSamp_MouseDown(); });
    QObject::connect(talk.cmdSamp, &QPushButton::released, &talk, [this] { cmdSamp_MouseUp(); });
    QObject::connect(talk.cmdSampADD, &QPushButton::clicked, &talk, [this] { cmdSampADD_Click(); });
    QObject::connect(talk.cmdSampDel, &QPushButton::clicked, &talk, [this] { cmdSampDel_Click(); });
    QObject::connect(talk.grdEx, &FlexGrid::clicked, &talk, [this] { grdEx_Click(); });
    QObject::connect(talk.cmdStart, &QPushButton::clicked, &talk, [this] { cmdStart_Click(); });
    QObject::connect(talk.cmdDec, &QPushButton::clicked, &talk, [this] { cmdDec_Click(); });
}

SampleScreen::~SampleScreen() = default;

void SampleScreen::cmdSamp_MouseDown()
{
    DesignLayout::setBackColour(m_talk.cmdSamp, kSampHeld);
}

void SampleScreen::cmdSamp_MouseUp()
{
    DesignLayout::setBackColour(m_talk.cmdSamp, kSampReleased);
}

void SampleScreen::cmdSamp_Click()
{
    frmTalk &talk = m_talk;
    talk.services().busy.setBusy(true);
    talk.setEnabled(false);
    TextArea::setNarrow(talk);
    const QString caption = talk.cmdSamp->text();
    if (caption == text(SampleTexts::kShowCaption)) {
        talk.grdEx->setRedraw(false);
        reloadList();
        placeOverBoard(talk, kShowLabelWidth, kScrollBarWidth);
        highlightAtTop(0);
        talk.grdEx->setRedraw(true);
        showListScreen();
    } else if (caption == text(SampleTexts::kCloseCaption)) {
        DesignLayout::setBackColour(talk.txtTalk, Units::Colour::White);
        showBoardScreen();
    } else if (caption == text(SampleTexts::kDiaryCloseCaption)) {
        if (!shown(talk.grdDay, talk)) {
            AskUser(talk, text(SampleTexts::kDiaryEndQuestion), kYesNo,
                    text(SampleTexts::kDiaryEndTitle));
            if (talk.state().gAnswer && !DiaryFile::SaveDiary(talk, talk.txtTalk->text()))
                AskUser(talk, text(SampleTexts::kDiarySaveFailed), kNotice,
                        text(SampleTexts::kDiaryEndTitle));
        }
        DesignLayout::setBackColour(talk.txtTalk, Units::Colour::White);
        showBoardScreen();
        talk.fraDay->hide();
    }
    talk.setEnabled(true);
    talk.txtTalk->setFocus();
    TextArea::ensureEndMarker(talk);
    talk.services().busy.setBusy(false);
}

void SampleScreen::cmdSampADD_Click()
{
    frmTalk &talk = m_talk;
    const QString sentence = compositionSentence(talk.txtTalk->text());
    if (sentence.isEmpty())
        return;
    talk.services().busy.setBusy(true);
    if (becomesDiary(sentence)) {
        AskUser(talk, text(SampleTexts::kReservedRefused), kNotice, text(SampleTexts::kAddTitle));
        return;
    }
    FlexGrid &grid = *talk.grdEx;
    for (int r = 0; r < grid.rows(); ++r) {
        if (SampleTexts::trimSpaces(grid.textMatrix(r, 1)) == sentence) {
            AskUser(talk, text(SampleTexts::kDuplicate), kNotice, text(SampleTexts::kAddTitle));
            talk.services().busy.setBusy(false);
            return;
        }
    }
    grid.setRedraw(false);
    grid.appendRow(1, sentence);
    const bool saved = SampleFile::SaveSamples(talk);
    if (saved) {
        reloadList();
    } else {
        // The file keeps its old content, so the list is regrouped as it stands and the new
        // sentence stays in it.
        for (int r = 0; r < grid.rows(); ++r)
            ListHighlight::paint(grid, r, 1, ListHighlight::kOff);
        SampleFile::GroupSamples(talk);
        SampleFile::PlaceDiaryRow(talk);
    }
    int row = 0;
    while (row < grid.rows() && SampleTexts::trimSpaces(grid.textMatrix(row, 1)) != sentence)
        ++row;
    highlightAtTop(row < grid.rows() ? row : 0);
    placeOverBoard(talk, kAddLabelWidth, 0);
    grid.setRedraw(true);
    showListScreen();
    if (!saved)
        AskUser(talk, text(SampleTexts::kSaveFailed), kNotice, text(SampleTexts::kAddTitle));
    talk.services().busy.setBusy(false);
}

void SampleScreen::cmdSampDel_Click()
{
    frmTalk &talk = m_talk;
    FlexGrid &grid = *talk.grdEx;
    const int row = talk.state().gListRow;
    const QString sentence = grid.textMatrix(row, 1);
    const QString trimmed = SampleTexts::trimSpaces(sentence);
    if (trimmed.isEmpty() || SampleTexts::isReserved(trimmed))
        return;
    AskUser(talk, text(SampleTexts::kDeleteQuestion), kOkCancel, text(SampleTexts::kDeleteTitle));
    if (!talk.state().gAnswer)
        return;
    grid.setRedraw(false);
    grid.setTextMatrix(row, 1, QString());
    const bool saved = SampleFile::SaveSamples(talk);
    if (!saved)
        grid.setTextMatrix(row, 1, sentence);
    grid.setRedraw(true);
    if (!saved)
        AskUser(talk, text(SampleTexts::kSaveFailed), kNotice, text(SampleTexts::kDeleteTitle));
}

void SampleScreen::grdEx_Click()
{
    frmTalk &talk = m_talk;
    FlexGrid &grid = *talk.grdEx;
    const int row = grid.mouseRow();
    // A click below the last row names no sentence.
    if (row < 0)
        return;
    if (talk.state().beepOn())
        talk.services().beeper.beep();
    qint32 &listRow = talk.state().gListRow;
    ListHighlight::paint(grid, listRow, 1, ListHighlight::kOff);
    ListHighlight::paint(grid, row, 1, ListHighlight::kOn);
    listRow = row;
    talk.txtTalk->setFocus();
}

void SampleScreen::cmdStart_Click()
{
    frmTalk &talk = m_talk;
    AskUser(talk, text(SampleTexts::kStartQuestion), kOkCancel, text(SampleTexts::kAddTitle));
    if (!talk.state().gAnswer)
        return;
    talk.txtTalk->setText(QString());
    FlexGrid &board = *talk.grdBoard;
    board.setRedraw(false);
    for (int r = 0; r < kBoardRows; ++r) {
        board.setRow(r);
        board.setCol(0);
        board.setColSel(talk.state().gMaxC);
        board.setCellBackColor(Units::Colour::White);
    }
    board.setRedraw(true);
}

void SampleScreen::cmdDec_Click()
{
    frmTalk &talk = m_talk;
    talk.setEnabled(false);
    if (shown(talk.grdSp, talk)) {
        talk.predictions().confirm();
        return;
    }
    if (shown(talk.grdEx, talk)) {
        if (!decideSample())
            return;
    } else if (shown(talk.grdDay, talk)) {
        talk.diaryScreen().openEntry();
    }
    decideEnd();
}

bool SampleScreen::decideSample()
{
    frmTalk &talk = m_talk;
    const QString chosen = talk.grdEx->textMatrix(talk.state().gListRow, 1);
    if (chosen == text(SampleTexts::kDiary)) {
        DiaryFile::LoadDiary(talk);
        DiaryFile::SortDiary(talk);
        talk.cmdSamp->setText(text(SampleTexts::kDiaryCloseCaption));
        talk.cmdSampADD->hide();
        talk.cmdSampDel->hide();
        talk.grdEx->hide();
        talk.setEnabled(true);
        talk.txtTalk->setFocus();
        return false;
    }
    TextBox &box = *talk.txtTalk;
    const int caret = box.selStart();
    const QString sentence = SampleTexts::trimSpaces(chosen);
    const QString composition = box.text();
    box.setText(composition.left(caret) + sentence + composition.mid(caret));
    box.setSelStart(caret + int(sentence.size()));
    talk.fraRes->show();
    talk.grdBoard->show();
    talk.cmdSamp->setText(text(SampleTexts::kShowCaption));
    talk.cmdSampDel->hide();
    talk.cmdSampADD->show();
    talk.grdEx->hide();
    return true;
}

void SampleScreen::decideEnd()
{
    frmTalk &talk = m_talk;
    talk.fraTalk->hide();
    talk.setEnabled(true);
    talk.txtTalk->setFocus();
    TextArea::selectNextIfNone(talk);
}

void SampleScreen::reloadList()
{
    SampleFile::LoadSamples(m_talk);
    SampleFile::GroupSamples(m_talk);
    SampleFile::PlaceDiaryRow(m_talk);
}

void SampleScreen::highlightAtTop(int row)
{
    FlexGrid &grid = *m_talk.grdEx;
    m_talk.state().gListRow = row;
    ListHighlight::paint(grid, row, 1, ListHighlight::kOn);
    grid.setTopRow(row);
}

void SampleScreen::showListScreen()
{
    frmTalk &talk = m_talk;
    talk.grdBoard->hide();
    talk.grdSp->hide();
    talk.grdDay->hide();
    talk.grdEx->show();
    talk.cmdSamp->setText(text(SampleTexts::kCloseCaption));
    talk.cmdSampDel->show();
    talk.cmdSampADD->hide();
    talk.fraRes->hide();
    talk.fraTalk->show();
}

void SampleScreen::showBoardScreen()
{
    frmTalk &talk = m_talk;
    talk.grdBoard->show();
    talk.grdEx->hide();
    talk.grdSp->hide();
    talk.grdDay->hide();
    talk.cmdSamp->setText(text(SampleTexts::kShowCaption));
    talk.cmdSampDel->hide();
    talk.cmdSampADD->show();
    talk.fraTalk->hide();
    talk.fraRes->show();
}
