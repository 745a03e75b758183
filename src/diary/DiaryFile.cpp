#include "diary/DiaryFile.h"

#include "app/frmTalk.h"
#include "dialogs/KeepOriginal.h"
#include "diary/DiaryLines.h"
#include "diary/DiaryTexts.h"
#include "platform/Clock.h"
#include "platform/DesignLayout.h"
#include "platform/FlexGrid.h"
#include "platform/TextFile.h"
#include "platform/Units.h"

#include <QDir>

using namespace Qt::Literals::StringLiterals;

namespace {
constexpr int kStampWidth = 4500;
// Set when the last load could not read an existing file: saving then would replace the
// whole diary with the few rows the program holds.
constexpr char kUnreadable[] = "talkDiaryUnreadable";
// Set when the last load read the file only in part: its original bytes are copied beside it
// before the first save replaces it.
constexpr char kDamaged[] = "talkDiaryDamaged";

QString filePath(frmTalk &talk)
{
    return QDir(QDir::fromNativeSeparators(talk.state().gAppPath))
        .filePath(QString::fromUtf16(DiaryFile::kFileName));
}

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

QString DiaryFile::stamp(const QDate &date)
{
    return date.toString(u"yy.MM.dd"_s);
}

void DiaryFile::LoadDiary(frmTalk &talk)
{
    FlexGrid &grid = *talk.grdDay;
    grid.setRedraw(false);
    grid.setRows(0);
    grid.setCols(2);
    const QRect board = DesignLayout::rect(talk.grdBoard);
    DesignLayout::place(&grid, board);
    grid.setColWidth(0, kStampWidth);
    grid.setColWidth(1, board.width() - kStampWidth);
    grid.show();
    grid.raise();

    const TextFile::ReadResult file = TextFile::readLines(filePath(talk));
    grid.setProperty(kUnreadable, file.status == TextFile::ReadResult::Status::Unreadable);
    grid.setProperty(kDamaged, file.ok() && !file.clean);
    const QString today = stamp(talk.services().clock.today());
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

void DiaryFile::SortDiary(frmTalk &talk)
{
    FlexGrid &grid = *talk.grdDay;
    grid.setRedraw(false);
    grid.setCol(0);
    grid.sort(8);
    bringToTop(grid, stamp(talk.services().clock.today()));
    grid.setRow(0);
    grid.setCol(1);
    grid.setColSel(grid.cols() - 1);
    grid.setCellBackColor(Units::Colour::LightGreen);
    talk.state().gListRow = 0;
    grid.setTopRow(0);
    grid.setRedraw(true);
}

bool DiaryFile::SaveDiary(frmTalk &talk, const QString &entryText)
{
    FlexGrid &grid = *talk.grdDay;
    if (grid.property(kUnreadable).toBool() ||
        !keepDamagedOriginal(talk, grid, kDamaged, filePath(talk),
                             QString::fromUtf16(DiaryTexts::kOriginalKeptTitle)))
        return false;
    // The end marker that board entry adds is not part of the entry.
    QString entry = entryText;
    if (entry.endsWith(u'_'))
        entry.chop(1);
    const int diaryRow = talk.state().gDiaryRow;
    QStringList lines;
    lines.reserve(grid.rows());
    for (int r = 0; r < grid.rows(); ++r) {
        const QString t = r == diaryRow ? entry : grid.textMatrix(r, 1);
        lines.append(DiaryLines::fileLine(grid.textMatrix(r, 0), t));
    }
    return TextFile::writeLines(filePath(talk), lines);
}
