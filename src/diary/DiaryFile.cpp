#include "diary/DiaryFile.h"

#include "compose/TextArea.h"
#include "core/ListHighlight.h"
#include "core/ScreenAreas.h"
#include "core/Services.h"
#include "dialogs/KeepOriginal.h"
#include "diary/DiaryLines.h"
#include "diary/DiaryTexts.h"
#include "platform/Clock.h"
#include "platform/FlexGrid.h"
#include "platform/TextFile.h"

using namespace Qt::Literals::StringLiterals;

namespace {
constexpr int kStampWidth = 4500;
// Lines without a date (written by hand) can sort above today's row. Today's entry is the
// one the list opens on and saves into, so its row is moved to the top.
void bringToTop(FlexGrid &grid, const QString &today)
{
    int row = 0;
    while (row < grid.rows() && grid.textMatrix(row, 0) != today)
        ++row;
    if (row == 0 || row == grid.rows())
        return;
    const QString text = grid.textMatrix(row, 1);
    for (int r = row; r > 0; --r) {
        grid.setTextMatrix(r, 0, grid.textMatrix(r - 1, 0));
        grid.setTextMatrix(r, 1, grid.textMatrix(r - 1, 1));
    }
    grid.setTextMatrix(0, 0, today);
    grid.setTextMatrix(0, 1, text);
}
} // namespace

DiaryFile::DiaryFile(FlexGrid &grdDay, ScreenAreas &areas, qint32 &listRow, const qint32 &diaryRow,
                     Services &services, QWidget &window)
    : m_grid(grdDay), m_areas(areas), m_listRow(listRow), m_diaryRow(diaryRow),
      m_services(services), m_window(window)
{
}

QString DiaryFile::filePath() const
{
    return m_services.folders.dataFile(QString::fromUtf16(kFileName));
}

QString DiaryFile::stamp(const QDate &date)
{
    return date.toString(u"yy.MM.dd"_s);
}

void DiaryFile::LoadDiary()
{
    using Area = ScreenAreas::Area;
    FlexGrid &grid = m_grid;
    grid.setRedraw(false);
    grid.setRows(0);
    grid.setCols(2);
    m_areas.placeOverBoard(Area::Diary);
    grid.setColWidth(0, kStampWidth);
    grid.setColWidth(1, m_areas.boardRect().width() - kStampWidth);
    m_areas.show(Area::Diary);
    m_areas.raise(Area::Diary);

    const TextFile::ReadResult file = TextFile::readLines(filePath());
    m_unreadable = file.status == TextFile::ReadResult::Status::Unreadable;
    m_damaged = file.ok() && !file.clean;
    const QString today = stamp(m_services.clock.today());
    int n = 0;
    for (const QString &line : file.lines) {
        const std::optional<DiaryLines::Entry> entry = DiaryLines::entry(line);
        if (!entry)
            continue;
        if (n == 0 && entry->stamp != today) {
            grid.appendRow(0, today);
            ++n;
        }
        grid.appendRow(0, entry->stamp);
        grid.setTextMatrix(n, 1, entry->text);
        ++n;
    }
    // A missing or empty file still gives today's row, so there is always an entry to open.
    if (n == 0)
        grid.appendRow(0, today);
    grid.setRedraw(true);
}

void DiaryFile::SortDiary()
{
    FlexGrid &grid = m_grid;
    grid.setRedraw(false);
    grid.setCol(0);
    grid.sort(8);
    bringToTop(grid, stamp(m_services.clock.today()));
    ListHighlight::paint(grid, 0, 1, ListHighlight::kOn);
    m_listRow = 0;
    grid.setTopRow(0);
    grid.setRedraw(true);
}

bool DiaryFile::SaveDiary(const QString &entryText)
{
    FlexGrid &grid = m_grid;
    if (m_unreadable || !keepDamagedOriginal(m_services, &m_window, m_damaged, filePath(),
                                             QString::fromUtf16(DiaryTexts::kOriginalKeptTitle)))
        return false;
    // The end marker that board entry adds is not part of the entry.
    QString entry = entryText;
    if (entry.endsWith(TextArea::kEndMarker))
        entry.chop(1);
    const int diaryRow = m_diaryRow;
    QStringList lines;
    lines.reserve(grid.rows());
    for (int r = 0; r < grid.rows(); ++r) {
        const QString t = r == diaryRow ? entry : grid.textMatrix(r, 1);
        lines.append(DiaryLines::fileLine(grid.textMatrix(r, 0), t));
    }
    return TextFile::writeLines(filePath(), lines);
}
