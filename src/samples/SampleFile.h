#pragma once

#include <QString>
#include <QStringList>

class FlexGrid;
class QWidget;
struct Services;

// "Talk.txt": the sample sentences, one per line, with the diary placeholder line. Touches the
// sample list grdEx, the sentences the predictions search (gSampleList) and the armed text
// (gCellText), which the regrouping runs through; asks its questions over `window`.
class SampleFile
{
  public:
    static constexpr char16_t kFileName[] = u"Talk.txt";
    static constexpr char16_t kPlaceholder[] = u"ああああ日記ダミー消さないでね！";

    SampleFile(FlexGrid &grdEx, QStringList &sampleList, QString &cellText, Services &services,
               QWidget &window);

    // Fills grdEx (2 columns) and gSampleList from the file. A missing file is an empty list.
    void LoadSamples();
    // Replaces the file with the rows of grdEx. Returns false, leaving the old file whole,
    // when the write fails or when the file could not be read at the last load (so a shorter
    // list never overwrites sentences the program could not see).
    bool SaveSamples();
    // Sorts grdEx by sentence and writes each group's kana-row label on its first row.
    void GroupSamples();
    // After GroupSamples: puts the diary entry "日記" in row 0 without covering a sentence.
    // The placeholder sorts after sentences such as "1時" or "ああ", so its row is moved to the
    // front rather than row 0 overwritten; a list without one gets one; further placeholder
    // rows are dropped. Row 0 gets no label and the sentences are labelled from row 1.
    void PlaceDiaryRow();
    // The kana-row label of a sentence's first character, or an empty text.
    static QString groupLabel(const QString &sentence);

  private:
    QString filePath() const;
    // Writes the label of each run of equal labels on its first row, from row `from` on.
    void labelRows(int from);

    FlexGrid &m_grid;
    QStringList &m_sampleList;
    QString &m_cellText;
    Services &m_services;
    QWidget &m_window;
    // Whether the last load could see the file's content: a file that exists but could not be
    // read must not be replaced by the (shorter) list the program holds.
    bool m_unreadable = false;
    // Whether the last load read the file only in part (bytes that became no character): its
    // original bytes are copied beside it before the first save replaces it.
    bool m_damaged = false;
};
