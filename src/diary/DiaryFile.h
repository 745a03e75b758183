#pragma once

#include <QDate>
#include <QString>

class FlexGrid;
class QWidget;
class ScreenAreas;
struct Services;

// "day.txt": one dated entry per line, newest first. Touches the diary list grdDay (shown over
// the board through the screen areas), the highlighted row (gListRow) and reads the row of the
// open entry (gDiaryRow); asks its questions over `window`.
class DiaryFile
{
  public:
    static constexpr char16_t kFileName[] = u"day.txt";

    DiaryFile(FlexGrid &grdDay, ScreenAreas &areas, qint32 &listRow, const qint32 &diaryRow,
              Services &services, QWidget &window);

    // The "YY.MM.DD" stamp of a date.
    static QString stamp(const QDate &date);
    void LoadDiary();
    void SortDiary();
    // Rewrites the file from grdDay with entryText in row gDiaryRow; false when the write failed
    // (the old file stays whole).
    bool SaveDiary(const QString &entryText);

  private:
    QString filePath() const;

    FlexGrid &m_grid;
    ScreenAreas &m_areas;
    qint32 &m_listRow;
    const qint32 &m_diaryRow;
    Services &m_services;
    QWidget &m_window;
    // Set when the last load could not read an existing file: saving then would replace the
    // whole diary with the few rows the program holds.
    bool m_unreadable = false;
    // Set when the last load read the file only in part: its original bytes are copied beside
    // it before the first save replaces it.
    bool m_damaged = false;
};
