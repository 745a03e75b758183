#include "samples/SampleFile.h"

#include "app/frmTalk.h"
#include "dialogs/KeepOriginal.h"
#include "platform/FlexGrid.h"
#include "platform/TextFile.h"
#include "samples/SampleLines.h"
#include "samples/SampleTexts.h"

#include <QDir>

using namespace Qt::Literals::StringLiterals;

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
// Whether the last load read the file only in part (bytes that became no character): its
// original bytes are copied beside it before the first save replaces it.
constexpr char kDamaged[] = "talkSamplesDamaged";

// A row that stands for the diary entry: the placeholder as loaded, or a reserved text.
bool isDiaryRow(const QString &text)
{
    return text == QString::fromUtf16(SampleFile::kPlaceholder) ||
           SampleTexts::isReserved(SampleTexts::trimSpaces(text));
}

// Writes the label of each run of equal labels on its first row, from row `from` on.
void labelRows(frmTalk &talk, int from)
{
    FlexGrid &grid = *talk.grdEx;
    AppState &state = talk.state();
    QString current;
    QString previous;
    for (int r = from; r < grid.rows(); ++r) {
        state.gCellText = grid.textMatrix(r, 1);
        const QString label = SampleFile::groupLabel(state.gCellText);
        if (!label.isEmpty())
            current = label;
        if (current != previous) {
            grid.setTextMatrix(r, 0, current);
            previous = current;
        } else if (!grid.textMatrix(r, 0).isEmpty()) {
            grid.setTextMatrix(r, 0, QString());
        }
    }
}
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
    const bool redraw = grid.redraw();
    grid.setRedraw(false);
    grid.setRows(0);
    grid.setCols(2);

    TextFile::ReadResult file = TextFile::readLines(filePath(talk));
    grid.setProperty(kUnreadable, file.status == TextFile::ReadResult::Status::Unreadable);
    grid.setProperty(kDamaged, file.ok() && !file.clean);
    const QStringList sentences = SampleLines::sentences(std::move(file.lines));
    // Nothing runs while the file is read, so the rows are made at once and then filled.
    grid.setRows(int(sentences.size()));
    for (int r = 0; r < int(sentences.size()); ++r)
        grid.setTextMatrix(r, 1, sentences.at(r));
    grid.setRedraw(redraw);
    if (!sentences.isEmpty())
        state.gSampleList = sentences;
}

bool SampleFile::SaveSamples(frmTalk &talk)
{
    FlexGrid &grid = *talk.grdEx;
    if (grid.property(kUnreadable).toBool() ||
        !keepDamagedOriginal(talk, grid, kDamaged, filePath(talk),
                             QString::fromUtf16(SampleTexts::kOriginalKeptTitle)))
        return false;
    AppState &state = talk.state();
    QStringList lines;
    lines.reserve(grid.rows());
    for (int r = 0; r < grid.rows(); ++r) {
        state.gCellText = grid.textMatrix(r, 1);
        if (QString line = SampleLines::fileLine(state.gCellText); !line.isEmpty())
            lines.append(std::move(line));
    }
    return TextFile::writeLines(filePath(talk), lines);
}

void SampleFile::GroupSamples(frmTalk &talk)
{
    FlexGrid &grid = *talk.grdEx;
    const bool redraw = grid.redraw();
    grid.setRedraw(false);
    grid.setCol(1);
    grid.setColSel(1);
    grid.sort(7);
    labelRows(talk, 0);
    grid.setRedraw(redraw);
}

void SampleFile::PlaceDiaryRow(frmTalk &talk)
{
    FlexGrid &grid = *talk.grdEx;
    const bool redraw = grid.redraw();
    grid.setRedraw(false);
    int first = -1;
    for (int r = 0; r < grid.rows() && first < 0; ++r)
        if (isDiaryRow(grid.textMatrix(r, 1)))
            first = r;
    if (first < 0) {
        first = grid.rows();
        grid.setRows(first + 1);
    }
    // The sentences that sorted in front of the diary row move down one, over it.
    for (int r = first - 1; r >= 0; --r)
        grid.setTextMatrix(r + 1, 1, grid.textMatrix(r, 1));
    // Any later diary rows are dropped and the rows below them close up.
    int removed = 0;
    for (int r = first + 1; r < grid.rows(); ++r) {
        if (isDiaryRow(grid.textMatrix(r, 1))) {
            ++removed;
            continue;
        }
        if (removed > 0)
            grid.setTextMatrix(r - removed, 1, grid.textMatrix(r, 1));
    }
    grid.setRows(grid.rows() - removed);
    grid.setTextMatrix(0, 1, QString::fromUtf16(SampleTexts::kDiary));
    grid.setTextMatrix(0, 0, QString());
    labelRows(talk, 1);
    grid.setRedraw(redraw);
}
