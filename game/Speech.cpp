#include "game/Speech.h"

#include <string_view>
#include <vector>

namespace speech {

namespace {

constexpr std::string_view ColumnKeys = "ABCDEFGHIJK";
constexpr std::string_view RowKeys = "1234567890";
// By road bit, from north round to north-west.
constexpr const char* Directions[8] = {"north", "north-east", "east", "south-east",
                                       "south", "south-west", "west", "north-west"};

std::string Listed(const std::vector<std::string>& words) {
  std::string text;
  for (size_t i = 0; i < words.size(); ++i) {
    if (i > 0) text += i + 1 == words.size() ? " and " : ", ";
    text += words[i];
  }
  return text;
}

std::string Count(int32_t n, const char* one, const char* many) {
  return std::to_string(n) + " " + (n == 1 ? one : many);
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

std::string RoadWords(uint8_t roads) {
  std::vector<std::string> ways;
  for (int bit = 0; bit < 8; ++bit)
    if (roads & (1u << bit)) ways.emplace_back(Directions[bit]);
  if (ways.empty()) return "no road";
  return (ways.size() == 1 ? "road " : "roads ") + Listed(ways);
}

std::string MoveName(const TBoardLayout& layout, const TMoveCommand& move) {
  const int32_t line = layout.MoveLine(move);
  switch (layout.MoveDirection(move)) {
    case TDirection::Up:
      return "Column " + ColumnName(line) + " up";
    case TDirection::Down:
      return "Column " + ColumnName(line) + " down";
    case TDirection::Left:
      return "Row " + RowName(line) + " left";
    case TDirection::Right:
      break;
  }
  return "Row " + RowName(line) + " right";
}

std::string ArrowName(const TBoardLayout& layout, const TMoveCommand& move) {
  const std::string_view keys = move.Axis == TAxis::Column ? ColumnKeys : RowKeys;
  return MoveName(layout, move) + ", key " + keys[static_cast<size_t>(move.Index - 1)];
}

std::string SizeWords(int32_t cols, int32_t rows) {
  return Count(cols, "column", "columns") + " by " + Count(rows, "row", "rows");
}

int32_t CellsInPlace(const TCells& board, const TCells& pattern, int32_t cols, int32_t rows) {
  int32_t n = 0;
  for (int32_t col = 1; col <= cols; ++col)
    for (int32_t row = 1; row <= rows; ++row) n += board(col, row) == pattern(col, row);
  return n;
}

std::string Scrambled(int32_t cells, int32_t inPlace) {
  return "Board scrambled: " + Count(cells, "cell", "cells") + ", " + std::to_string(inPlace) +
         " in place";
}

std::string MoveDone(const TBoardLayout& layout, const TMoveCommand& move, int32_t cells,
                     int32_t inPlace, bool won) {
  std::string text = MoveName(layout, move) + ": " + std::to_string(inPlace) + " of " +
                     Count(cells, "cell", "cells") + " in place";
  if (won) text += ". Solved, well done!";
  return text;
}

std::string Dealt(int32_t cols, int32_t rows) {
  return "New puzzle dealt, " + SizeWords(cols, rows);
}

std::string Resized(int32_t cols, int32_t rows) {
  return "Board size " + SizeWords(cols, rows) + ", new puzzle dealt";
}

}  // namespace speech
