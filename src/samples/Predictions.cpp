#include "samples/Predictions.h"

#include "samples/SampleFile.h"
#include "samples/SampleTexts.h"

#include "app/frmTalk.h"
#include "compose/TextArea.h"
#include "platform/DesignLayout.h"
#include "platform/FlexGrid.h"
#include "platform/TextBox.h"
#include "platform/UiServices.h"
#include "platform/Units.h"

#include <QFrame>
#include <algorithm>
#include <cstring>

namespace {

// The first n characters of `text`, n clamped into the text.
QStringView head(QStringView text, qsizetype n)
{
    return text.first(std::clamp<qsizetype>(n, 0, text.size()));
}

// `text` from character `from` on, `from` clamped into the text.
QStringView tail(QStringView text, qsizetype from)
{
    return text.sliced(std::clamp<qsizetype>(from, 0, text.size()));
}

} // namespace

void Predictions::appendMatches(FlexGrid &list, qsizetype keyLength, const QString &trimmed)
{
    // A sample matches when its first keyLength characters (all of a shorter sample) equal
    // the trimmed key. A blank key would match only empty samples, which predict nothing.
    const qsizetype n = trimmed.size();
    if (n == 0)
        return;
    const QChar *key = trimmed.constData();
    // The diary's placeholder line is the file's marker for the diary row, not a sentence.
    const QString placeholder = QString::fromUtf16(SampleFile::kPlaceholder);
    // One pass without allocations: this runs after every entry, over every sample.
    for (const QString &s : std::as_const(m_talk.state().gSampleList)) {
        if (std::min(keyLength, s.size()) != n || s == placeholder)
            continue;
        if (std::memcmp(s.constData(), key, std::size_t(n) * sizeof(QChar)) == 0)
            list.appendRow(0, s);
    }
}

Predictions::Predictions(frmTalk &talk) : m_talk(talk)
{
    QObject::connect(talk.grdSp, &FlexGrid::clicked, &talk, [this] { grdSp_Click(); });
}

Predictions::~Predictions() = default;

QString Predictions::trimBlanks(const QString &text)
{
    // Only the ASCII space: a typed full-width space is part of what the user wrote.
    return SampleTexts::trimSpaces(text);
}

void Predictions::OfferPredictions(const QString &text)
{
    const AppState &state = m_talk.state();
    if (!state.sampOn() || text.isEmpty())
        return;
    BusyPointer &busy = m_talk.services().busy;
    busy.setBusy(true);
    const TextBox &box = *m_talk.txtTalk;
    if (box.selStart() == box.length() - 1) {
        const qsizetype g = std::max<qsizetype>(0, state.gSample);
        const QStringView t = text;
        QStringView key;
        if (box.text().endsWith(u'_'))
            key = t.size() < g + 2 ? t.chopped(1) : t.sliced(t.size() - 1 - g, g);
        else
            key = t.last(std::min(g, t.size()));
        ShowPredictions(key.toString());
    }
    busy.setBusy(false);
}

void Predictions::ShowPredictions(const QString &key)
{
    if (key.isEmpty())
        return;
    frmTalk &talk = m_talk;
    FlexGrid &list = *talk.grdSp;
    list.setRedraw(false);
    DesignLayout::place(&list, DesignLayout::rect(talk.grdBoard));
    list.setRows(0);
    list.setCols(1);
    list.setRows(1);
    list.setColWidth(-1,
                     qRound(Units::pixelsToTwips(talk.width(), DesignLayout::scaleAcross(&talk))));
    const QString trimmed = trimBlanks(key);
    list.setTextMatrix(0, 0, trimmed);
    appendMatches(list, key.size(), trimmed);
    if (list.rows() == 1) {
        talk.grdBoard->show();
        talk.fraRes->show();
        list.hide();
    } else {
        paintRow(0, Units::Colour::LightGreen);
        list.setTopRow(0);
        list.show();
        list.raise();
        talk.grdBoard->hide();
        talk.fraRes->hide();
        talk.fraSet->hide();
        talk.fraTalk->show();
    }
    list.setRedraw(true);
    talk.state().gListRow = list.row();
}

void Predictions::grdSp_Click()
{
    frmTalk &talk = m_talk;
    if (talk.state().beepOn())
        talk.services().beeper.beep();
    const int r = talk.grdSp->mouseRow();
    // A press below the last row picks nothing and keeps the highlight.
    if (r < 0)
        return;
    paintRow(talk.state().gListRow, Units::Colour::White);
    paintRow(r, Units::Colour::LightGreen);
    talk.state().gListRow = r;
    talk.txtTalk->setFocus();
}

void Predictions::confirm()
{
    frmTalk &talk = m_talk;
    AppState &state = talk.state();
    TextBox &box = *talk.txtTalk;
    const QString pick = talk.grdSp->textMatrix(state.gListRow, 0);
    state.gCellText = pick;
    const qsizetype p = box.selStart();
    const QString text = box.text();
    const QStringView t = text;
    const QString sentence = trimBlanks(pick);
    const qsizetype g = state.gSample;
    QString result;
    qsizetype caret = 0;
    if (t.size() < g + 1) {
        result = sentence + u'_';
        caret = sentence.size() + p - t.size() + 1;
    } else if (t.endsWith(u'_')) {
        result = head(t, t.size() - g - 1) + sentence + tail(t, p);
        caret = sentence.size() + p - g;
    } else {
        result = head(t, t.size() - g) + sentence + tail(t, p);
        caret = sentence.size() + p - g + 1;
    }
    box.setText(result);
    box.setSelStart(int(caret));
    talk.fraRes->show();
    talk.grdSp->hide();
    talk.grdBoard->show();
    talk.fraTalk->hide();
    talk.setEnabled(true);
    box.setFocus();
    TextArea::selectNextIfNone(talk);
}

void Predictions::paintRow(int row, qint64 bgr)
{
    FlexGrid &list = *m_talk.grdSp;
    if (row < 0 || row >= list.rows())
        return;
    list.setRow(row);
    list.setCol(0);
    list.setColSel(list.cols() - 1);
    list.setCellBackColor(bgr);
}
