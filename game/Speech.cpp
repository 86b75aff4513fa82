#include "game/Speech.h"

#include <string_view>
#include <vector>

namespace speech {

using language::Format;

namespace {

constexpr std::string_view ColumnKeys = "ABCDEFGHIJK";
constexpr std::string_view RowKeys = "1234567890";
// By road bit, from north round to north-west.
// TRANSLATORS: the ways a road leaves a cell, listed as in "roads north, east and south-west".
constexpr std::string_view Directions[8] = {N_("north"),      N_("north-east"), N_("east"),
                                            N_("south-east"), N_("south"),      N_("south-west"),
                                            N_("west"),       N_("north-west")};

std::string Listed(const TLanguage& words, const std::vector<std::string_view>& items) {
  if (items.empty()) return {};
  const size_t n = items.size();
  std::string text(items.back());
  if (n >= 2) {
    // TRANSLATORS: the last two of a list, as in "north, east and south-west".
    text = Format(words.Tr("{0} and {1}"), {items[n - 2], text});
    // TRANSLATORS: one more at the front of a list, as in "north, east and south-west".
    for (size_t i = n - 2; i > 0; --i) text = Format(words.Tr("{0}, {1}"), {items[i - 1], text});
  }
  return text;
}

std::string Number(int64_t n) {
  return std::to_string(n);
}

std::string Columns(const TLanguage& words, int32_t n) {
  return Format(words.TrN("{0} column", "{0} columns", uint64_t(n)), {Number(n)});
}

std::string Rows(const TLanguage& words, int32_t n) {
  return Format(words.TrN("{0} row", "{0} rows", uint64_t(n)), {Number(n)});
}

}  // namespace

std::string ColumnName(int32_t col) {
  return std::string(1, ColumnKeys[static_cast<size_t>(col - 1)]);
}

std::string RowName(int32_t row) {
  return std::to_string(row);
}

std::string CellName(int32_t col, int32_t row) {
  return ColumnName(col) + RowName(row);
}

std::string RoadWords(const TLanguage& words, uint8_t roads) {
  std::vector<std::string_view> ways;
  for (int bit = 0; bit < 8; ++bit)
    if (roads & (1u << bit)) ways.push_back(words.Tr(Directions[bit]));
  // TRANSLATORS: a cell of the board without any road on it.
  if (ways.empty()) return std::string(words.Tr("no road"));
  // TRANSLATORS: the roads of a cell: {0} lists their ways, as in "north, east and south".
  return Format(words.TrN("road {0}", "roads {0}", ways.size()), {Listed(words, ways)});
}

std::string MoveName(const TLanguage& words, const TBoardLayout& layout, const TMoveCommand& move) {
  const int32_t line = layout.MoveLine(move);
  const std::string column = ColumnName(line);
  switch (layout.MoveDirection(move)) {
    case TDirection::Up:
      // TRANSLATORS: {0} is the column's letter, the key that moves it.
      return Format(words.Tr("Column {0} up"), {column});
    case TDirection::Down:
      return Format(words.Tr("Column {0} down"), {column});
    case TDirection::Left:
      // TRANSLATORS: {0} is the row's number.
      return Format(words.Tr("Row {0} left"), {RowName(line)});
    case TDirection::Right:
      break;
  }
  return Format(words.Tr("Row {0} right"), {RowName(line)});
}

std::string ArrowName(const TLanguage& words, const TBoardLayout& layout,
                      const TMoveCommand& move) {
  const std::string_view keys = move.Axis == TAxis::Column ? ColumnKeys : RowKeys;
  // TRANSLATORS: an arrow's name: {0} is its move, as in "Column B up", {1} the key for it.
  return Format(words.Tr("{0}, key {1}"),
                {MoveName(words, layout, move), keys.substr(size_t(move.Index - 1), 1)});
}

std::string SizeWords(const TLanguage& words, int32_t cols, int32_t rows) {
  // TRANSLATORS: a board's size: {0} is as in "3 columns", {1} as in "4 rows".
  return Format(words.Tr("{0} by {1}"), {Columns(words, cols), Rows(words, rows)});
}

int32_t CellsInPlace(const TCells& board, const TCells& pattern, int32_t cols, int32_t rows) {
  int32_t n = 0;
  for (int32_t col = 1; col <= cols; ++col)
    for (int32_t row = 1; row <= rows; ++row) n += board(col, row) == pattern(col, row);
  return n;
}

std::string Scrambled(const TLanguage& words, int32_t cells, int32_t inPlace) {
  // TRANSLATORS: {0} is the number of cells on the board, {1} how many of them match the
  // pattern.
  return Format(words.TrN("Board scrambled: {0} cell, {1} in place",
                          "Board scrambled: {0} cells, {1} in place", uint64_t(cells)),
                {Number(cells), Number(inPlace)});
}

std::string MoveDone(const TLanguage& words, const TBoardLayout& layout, const TMoveCommand& move,
                     int32_t cells, int32_t inPlace, bool won) {
  const std::string_view pattern = words.TrN(
      // TRANSLATORS: after a move: {0} is the move, as in "Row 2 right", {1} how many cells
      // match the pattern, {2} the number of cells on the board.
      "{0}: {1} of {2} cell in place", "{0}: {1} of {2} cells in place", uint64_t(cells));
  std::string text =
      Format(pattern, {MoveName(words, layout, move), Number(inPlace), Number(cells)});
  // TRANSLATORS: {0} is what the last move did, as in "Row 1 right: 12 of 12 cells in place".
  if (won) text = Format(words.Tr("{0}. Solved, well done!"), {text});
  return text;
}

std::string Dealt(const TLanguage& words, int32_t cols, int32_t rows) {
  // TRANSLATORS: {0} is the board's size, as in "3 columns by 4 rows".
  return Format(words.Tr("New puzzle dealt, {0}"), {SizeWords(words, cols, rows)});
}

std::string Resized(const TLanguage& words, int32_t cols, int32_t rows) {
  // TRANSLATORS: {0} is the board's new size, as in "3 columns by 4 rows".
  return Format(words.Tr("Board size {0}, new puzzle dealt"), {SizeWords(words, cols, rows)});
}

}  // namespace speech
