#pragma once

#include <QDate>
#include <QString>

class frmTalk;

// "day.txt": one dated entry per line, newest first.
namespace DiaryFile {

inline constexpr char16_t kFileName[] = u"day.txt";

// The "YY.MM.DD" stamp of a date.
QString stamp(const QDate &date);
void LoadDiary(frmTalk &talk);
void SortDiary(frmTalk &talk);
// Rewrites the file from grdDay with entryText in row gDiaryRow; false when the write failed
// (the old file stays whole).
bool SaveDiary(frmTalk &talk, const QString &entryText);

} // namespace DiaryFile
