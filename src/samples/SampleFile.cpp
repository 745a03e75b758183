#include "samples/SampleFile.h"
#include "core/Spaces.h"

#include "core/Services.h"
#include "dialogs/KeepOriginal.h"
#include "platform/FlexGrid.h"
#include "platform/TextFile.h"
#include "samples/SampleLines.h"
#include "samples/SampleTexts.h"

using namespace Qt::Literals::StringLiterals;

namespace {
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

// A row that stands for the diary entry: the placeholder as loaded, or a reserved text.
bool isDiaryRow(const QString &text)
{
    return text == QString::fromUtf16(SampleFile::kPlaceholder) ||
           SampleTexts::isReserved(trimSpaces(text));
}

} // namespace

SampleFile::SampleFile(FlexGrid &grdEx, QStringList &sampleList, QString &cellText,
                       Services &services, QWidget &window)
    : m_grid(grdEx), m_sampleList(sampleList), m_cellText(cellText), m_services(services),
      m_window(window)
{
}

QString SampleFile::filePath() const
{
    return m_services.folders.dataFile(QString::fromUtf16(kFileName));
}

void SampleFile::labelRows(int from)
{
    FlexGrid &grid = m_grid;
    QString current;
    QString previous;
    for (int r = from; r < grid.rows(); ++r) {
        m_cellText = grid.textMatrix(r, 1);
        const QString label = groupLabel(m_cellText);
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

void SampleFile::LoadSamples()
{
    FlexGrid &grid = m_grid;
    m_sampleList = QStringList{QString()};
    const bool redraw = grid.redraw();
    grid.setRedraw(false);
    grid.setRows(0);
    grid.setCols(2);

    TextFile::ReadResult file = TextFile::readLines(filePath());
    m_unreadable = file.status == TextFile::ReadResult::Status::Unreadable;
    m_damaged = file.ok() && !file.clean;
    const QStringList sentences = SampleLines::sentences(std::move(file.lines));
    // Nothing runs while the file is read, so the rows are made at once and then filled.
    grid.setRows(int(sentences.size()));
    for (int r = 0; r < int(sentences.size()); ++r)
        grid.setTextMatrix(r, 1, sentences.at(r));
    grid.setRedraw(redraw);
    if (!sentences.isEmpty())
        m_sampleList = sentences;
}

bool SampleFile::SaveSamples()
{
    FlexGrid &grid = m_grid;
    if (m_unreadable || !keepDamagedOriginal(m_services, &m_window, m_damaged, filePath(),
                                             QString::fromUtf16(SampleTexts::kOriginalKeptTitle)))
        return false;
    QStringList lines;
    lines.reserve(grid.rows());
    for (int r = 0; r < grid.rows(); ++r) {
        m_cellText = grid.textMatrix(r, 1);
        if (QString line = SampleLines::fileLine(m_cellText); !line.isEmpty())
            lines.append(std::move(line));
    }
    return TextFile::writeLines(filePath(), lines);
}

void SampleFile::GroupSamples()
{
    FlexGrid &grid = m_grid;
    const bool redraw = grid.redraw();
    grid.setRedraw(false);
    grid.setCol(1);
    grid.setColSel(1);
    grid.sort(7);
    labelRows(0);
    grid.setRedraw(redraw);
}

void SampleFile::PlaceDiaryRow()
{
    FlexGrid &grid = m_grid;
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
    labelRows(1);
    grid.setRedraw(redraw);
}
