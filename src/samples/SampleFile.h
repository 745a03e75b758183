#pragma once

#include <QString>

class frmTalk;

// "Talk.txt": the sample sentences, one per line, with the diary placeholder line.
namespace SampleFile {

inline constexpr char16_t kFileName[] = u"Talk.txt";
inline constexpr char16_t kPlaceholder[] = u"ああああ日記ダミー消さないでね！";

// Fills grdEx (2 columns) and gSampleList from the file. A missing file is an empty list.
void LoadSamples(frmTalk &talk);
// Replaces the file with the rows of grdEx. Returns false, leaving the old file whole,
// when the write fails or when the file could not be read at the last load (so a shorter
// list never overwrites sentences the program could not see).
bool SaveSamples(frmTalk &talk);
// Sorts grdEx by sentence and writes each group's kana-row label on its first row.
void GroupSamples(frmTalk &talk);
// After GroupSamples: puts the diary entry "日記" in row 0 without covering a sentence.
// The placeholder sorts after sentences such as "1時" or "ああ", so its row is moved to the
// front rather than row 0 overwritten; a list without one gets one; further placeholder
// rows are dropped. Row 0 gets no label and the sentences are labelled from row 1.
void PlaceDiaryRow(frmTalk &talk);
// The kana-row label of a sentence's first character, or an empty text.
QString groupLabel(const QString &sentence);

} // namespace SampleFile
