#pragma once

#include <QString>
#include <QStringList>

class VoiceReadings;

// The characters of the recording screen: pages laid out like the boards, and the order in
// which "next" walks through them.
struct RecordPage
{
    QString caption;
    int rows = 0;
    int columns = 0;
    QStringList cells; // row by row; an empty string is an empty cell
};

namespace RecordPages {
// ひら and カタ as the 15-column kana boards (あ column at the right), 英数 as its board, and
// 記号 with every other text of the table (small kana, lower-case letters, space, end mark),
// and ボタン with the buttons' spoken names; 答え with the quick `answers` when there are any.
QList<RecordPage> pages(const VoiceReadings &readings, const QStringList &answers = {});
// The 50 cells of the hiragana board column by column, the voiced and half-voiced kana, the
// small kana, space and end mark, the alphanumeric board row by row, then every other text
// in table order, then the quick `answers`.
QStringList order(const VoiceReadings &readings, const QStringList &answers = {});
} // namespace RecordPages
