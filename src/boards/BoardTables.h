#pragma once

#include <QString>
#include <array>

// The program's alphabet: the kana boards by row group (read right to left on the board)
// and the alphanumeric board by row.
namespace BoardTables {

// Group k, rows 0 to 4; groups 10 to 14 are the voiced and half-voiced groups.
extern const std::array<std::array<const char16_t *, 5>, 15> kHiragana;
extern const std::array<std::array<const char16_t *, 5>, 15> kKatakana;
// Rows 0 to 4, columns 0 to 9.
extern const std::array<std::array<const char16_t *, 10>, 5> kAlphanumeric;

} // namespace BoardTables
