#include "samples/SampleFile.h"

#include "app/frmTalk.h"
#include "platform/FlexGrid.h"
#include "platform/TextFile.h"
#include "samples/SampleTexts.h"

#include <QDir>

namespace {
QString filePath(frmTalk &talk)
{
    return QDir(QDir::fromNativeSeparators(talk.state().gAppPath))
        .filePath(QString::fromUtf16(SampleFile::kFileName));
}

struct Group
{
    char16_t from;
    char16_t to;
    const char16_t *label;
};

// Tested in this order; the plain rows first, so they take in their voiced neighbours.
constexpr Group kGroups[] = {
    {u'あ', u'お', u"あ行"}, {u'か', u'こ', u"か行"}, {u'さ', u'そ', u"さ行"},
    {u'た', u'と', u"た行"}, {u'な', u'の', u"な行"}, {u'は', u'ほ', u"は行"},
    {u'ま', u'も', u"ま行"}, {u'や', u'よ', u"や行"}, {u'ら', u'ろ', u"ら行"},
    {u'わ', u'ん', u"わ行"}, {u'が', u'ご', u"が行"}, {u'ざ', u'ぞ', u"ざ行"},
    {u'だ', u'ど', u"だ行"}, {u'ば', u'ぼ', u"ば行"}, {u'ぱ', u'ぽ', u"ぱ行"},
    {u'ア', u'オ', u"ア行"}, {u'カ', u'コ', u"カ行"}, {u'サ', u'ソ', u"サ行"},
    {u'タ', u'ト', u"タ行"}, {u'ナ', u'ノ', u"ナ行"}, {u'ハ', u'ホ', u"ハ行"},
    {u'マ', u'モ', u"マ行"}, {u'ヤ', u'ヨ', u"ヤ行"}, {u'ラ', u'ロ', u"ラ行"},
    {u'ワ', u'ン', u"ワ行"}, {u'ガ', u'ゴ', u"ガ行"}, {u'ザ', u'ゾ', u"ザ行"},
    {u'ダ', u'ド', u"ダ行"}, {u'バ', u'ボ', u"バ行"}, {u'パ', u'ポ', u"パ行"},
};

// Whether the last load could see the file's content: a file that exists but could not be
// read must not be replaced by the (shorter) list the program holds.
constexpr char kUnreadable[] = "talkSamplesUnreadable";
} // namespace

QString SampleFile::groupLabel(const QString &sentence)
{
    if (sentence.isEmpty())
        return {};
    const char16_t first = sentence.at(0).unicode();
    for (const Group &g : kGroups)
        if (first >= g.from && first <= g.to)
            return QString::fromUtf16(g.label);
    return {};
}

void SampleFile::LoadSamples(frmTalk &talk)
{
    AppState &state = talk.state();
    FlexGrid &grid = *talk.grdEx;
    state.gSampleList = QStringList{QString()};
    grid.setRows(0);
    grid.setCols(2);

    const TextFile::ReadResult file = TextFile::readLines(filePath(talk));
    talk.grdEx->setProperty(kUnreadable, file.status == TextFile::ReadResult::Status::Unreadable);
    QStringList sentences;
    sentences.reserve(file.lines.size());
    for (const QString &line : file.lines) {
        if (SampleTexts::trimSpaces(line).isEmpty())
            continue;
        QString sentence = line;
        sentence.remove(u'"');
        sentences.append(SampleTexts::trimSpaces(sentence));
    }
    // The grid grows row by row as the file is read; nothing runs in between, so the rows
    // are added in one pass with redraw off.
    const bool redraw = grid.redraw();
    grid.setRedraw(false);
    for (const QString &sentence : sentences)
        grid.appendRow(1, sentence);
    grid.setRedraw(redraw);
    if (!sentences.isEmpty())
        state.gSampleList = sentences;
}

bool SampleFile::SaveSamples(frmTalk &talk)
{
    FlexGrid &grid = *talk.grdEx;
    if (grid.property(kUnreadable).toBool())
        return false;
    AppState &state = talk.state();
    QStringList lines;
    lines.reserve(grid.rows());
    for (int r = 0; r < grid.rows(); ++r) {
        state.gCellText = grid.textMatrix(r, 1);
        const QString trimmed = SampleTexts::trimSpaces(state.gCellText);
        if (SampleTexts::isReserved(trimmed))
            lines.append(u'"' + QString::fromUtf16(kPlaceholder) + u'"');
        else if (!trimmed.isEmpty())
            lines.append(u'"' + state.gCellText + u'"');
    }
    return TextFile::writeLines(filePath(talk), lines);
}

void SampleFile::GroupSamples(frmTalk &talk)
{
    FlexGrid &grid = *talk.grdEx;
    AppState &state = talk.state();
    const bool redraw = grid.redraw();
    grid.setRedraw(false);
    grid.setCol(1);
    grid.setColSel(1);
    grid.sort(7);
    QString current;
    QString previous;
    for (int r = 0; r < grid.rows(); ++r) {
        state.gCellText = grid.textMatrix(r, 1);
        const QString label = groupLabel(state.gCellText);
        if (!label.isEmpty())
            current = label;
        if (current != previous) {
            grid.setTextMatrix(r, 0, current);
            previous = current;
        } else {
            grid.setTextMatrix(r, 0, QString());
        }
    }
    grid.setRedraw(redraw);
}
