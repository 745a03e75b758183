#include "boards/MakeBoard.h"

#include "boards/BoardTables.h"
#include "boards/BoardTexts.h"
#include "platform/FlexGrid.h"
#include "platform/Units.h"

#include <QPushButton>

namespace {
void fillKana(FlexGrid &board, int maxC, const std::array<std::array<const char16_t *, 5>, 15> &t)
{
    for (int k = 0; k <= 9; ++k)
        for (int r = 0; r < 5; ++r)
            board.setTextMatrix(r, maxC - k, QString::fromUtf16(t[k][r]));
    if (maxC != 14)
        return;
    for (int k = 10; k <= 14; ++k)
        for (int r = 0; r < 5; ++r)
            board.setTextMatrix(r, 14 - k, QString::fromUtf16(t[k][r]));
}

void fillAlphanumeric(FlexGrid &board)
{
    for (int r = 0; r < 5; ++r)
        for (int c = 0; c < 10; ++c)
            board.setTextMatrix(r, c, QString::fromUtf16(BoardTables::kAlphanumeric[r][c]));
}
} // namespace

void MakeBoard(FlexGrid &board, QPushButton &cmdKey, int maxC)
{
    board.setRedraw(false);
    board.setRows(5);
    board.setCols(maxC + 1);
    const int width = maxC == 14 ? 1013 : 1530;
    for (int c = 0; c <= maxC; ++c) {
        for (int r = 0; r < 5; ++r) {
            board.setRow(r);
            board.setCol(c);
            board.setColSel(maxC);
            board.setTextMatrix(r, c, QString());
            board.setCellBackColor(Units::Colour::White);
            board.setCellAlignment(5);
        }
        board.setColWidth(c, width);
    }
    board.setForeColor(Units::Colour::Black);

    const QString caption = cmdKey.text().trimmed();
    if (caption == QString::fromUtf16(BoardTexts::kAlphanumeric)) {
        fillKana(board, maxC, BoardTables::kHiragana);
        cmdKey.setText(QString::fromUtf16(BoardTexts::kHiragana));
    } else if (caption == QString::fromUtf16(BoardTexts::kHiragana)) {
        fillKana(board, maxC, BoardTables::kKatakana);
        cmdKey.setText(QString::fromUtf16(BoardTexts::kKatakana));
    } else {
        fillAlphanumeric(board);
        cmdKey.setText(QString::fromUtf16(BoardTexts::kAlphanumeric));
    }
    board.setRedraw(true);
}
