#include "samples/Predictions.h"
#include "core/Spaces.h"

#include "core/ListHighlight.h"
#include "samples/SampleControls.h"
#include "samples/SampleFile.h"
#include "samples/SampleTexts.h"

#include "compose/TextArea.h"
#include "core/AppState.h"
#include "core/ScreenAreas.h"
#include "core/Services.h"
#include "platform/DesignLayout.h"
#include "platform/FlexGrid.h"
#include "platform/TextBox.h"
#include "platform/UiServices.h"
#include "platform/Units.h"

#include <QWidget>
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
    for (const QString &s : m_sampleList) {
        if (std::min(keyLength, s.size()) != n || s == placeholder)
            continue;
        if (std::memcmp(s.constData(), key, std::size_t(n) * sizeof(QChar)) == 0)
            list.appendRow(0, s);
    }
}

Predictions::Predictions(const SampleControls &controls, TextBox &txtTalk, ScreenAreas &areas,
                         const Options &options, const QStringList &sampleList, qint32 &listRow,
                         QString &cellText, Services &services, QWidget &window)
    : m_list(*controls.grdSp), m_box(txtTalk), m_areas(areas), m_options(options),
      m_sampleList(sampleList), m_listRow(listRow), m_cellText(cellText), m_services(services),
      m_window(window)
{
    QObject::connect(&m_list, &FlexGrid::clicked, &window, [this] { grdSp_Click(); });
}

Predictions::~Predictions() = default;

QString Predictions::trimBlanks(const QString &text)
{
    // Only the ASCII space: a typed full-width space is part of what the user wrote.
    return trimSpaces(text);
}

void Predictions::OfferPredictions(const QString &text)
{
    if (!m_options.sampOn() || text.isEmpty())
        return;
    BusyPointer &busy = m_services.busy;
    busy.setBusy(true);
    const TextBox &box = m_box;
    if (box.selStart() == box.length() - 1) {
        const qsizetype g = std::max<qsizetype>(0, m_options.gSample);
        const QStringView t = text;
        QStringView key;
        if (box.text().endsWith(TextArea::kEndMarker))
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
    using Area = ScreenAreas::Area;
    FlexGrid &list = m_list;
    list.setRedraw(false);
    m_areas.placeOverBoard(Area::Predictions);
    list.setRows(0);
    list.setCols(1);
    list.setRows(1);
    list.setColWidth(
        -1, qRound(Units::pixelsToTwips(m_window.width(), DesignLayout::scaleAcross(&m_window))));
    const QString trimmed = trimBlanks(key);
    list.setTextMatrix(0, 0, trimmed);
    appendMatches(list, key.size(), trimmed);
    if (list.rows() == 1) {
        m_areas.show(Area::Board);
        m_areas.show(Area::CaretPad);
        m_areas.hide(Area::Predictions);
    } else {
        ListHighlight::paint(list, 0, 0, ListHighlight::kOn);
        list.setTopRow(0);
        m_areas.show(Area::Predictions);
        m_areas.raise(Area::Predictions);
        m_areas.hide(Area::Board);
        m_areas.hide(Area::CaretPad);
        m_areas.hide(Area::Selection);
        m_areas.show(Area::ListButtons);
    }
    list.setRedraw(true);
    m_listRow = list.row();
}

void Predictions::grdSp_Click()
{
    if (m_options.beepOn())
        m_services.beeper.beep();
    const int r = m_list.mouseRow();
    // A press below the last row picks nothing and keeps the highlight.
    if (r < 0)
        return;
    ListHighlight::paint(m_list, m_listRow, 0, ListHighlight::kOff);
    ListHighlight::paint(m_list, r, 0, ListHighlight::kOn);
    m_listRow = r;
    m_box.setFocus();
}

void Predictions::confirm()
{
    using Area = ScreenAreas::Area;
    TextBox &box = m_box;
    const QString pick = m_list.textMatrix(m_listRow, 0);
    m_cellText = pick;
    const qsizetype p = box.selStart();
    const QString text = box.text();
    const QStringView t = text;
    const QString sentence = trimBlanks(pick);
    const qsizetype g = m_options.gSample;
    QString result;
    qsizetype caret = 0;
    if (t.size() < g + 1) {
        result = sentence + TextArea::kEndMarker;
        caret = sentence.size() + p - t.size() + 1;
    } else if (t.endsWith(TextArea::kEndMarker)) {
        result = head(t, t.size() - g - 1) + sentence + tail(t, p);
        caret = sentence.size() + p - g;
    } else {
        result = head(t, t.size() - g) + sentence + tail(t, p);
        caret = sentence.size() + p - g + 1;
    }
    box.setText(result);
    box.setSelStart(int(caret));
    m_areas.show(Area::CaretPad);
    m_areas.hide(Area::Predictions);
    m_areas.show(Area::Board);
    m_areas.hide(Area::ListButtons);
    m_window.setEnabled(true);
    box.setFocus();
    TextArea::selectNextIfNone(box);
}
