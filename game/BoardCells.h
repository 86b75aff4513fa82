// The 5 × 5 array of road cells behind each board, indexed by column then row, both counted
// from 1; only the columns and rows in play are ever looked at.
#pragma once

#include <array>
#include <cassert>
#include <cstdint>

// A cell's road towards each of its eight neighbours; bits k and k + 4 point opposite ways.
namespace Road {
constexpr uint8_t North = 0x01;
constexpr uint8_t NorthEast = 0x02;
constexpr uint8_t East = 0x04;
constexpr uint8_t SouthEast = 0x08;
constexpr uint8_t South = 0x10;
constexpr uint8_t SouthWest = 0x20;
constexpr uint8_t West = 0x40;
constexpr uint8_t NorthWest = 0x80;
}  // namespace Road

// Columns and rows a board can have in play.
constexpr int32_t MinLines = 3;
constexpr int32_t MaxLines = 5;

class TCells {
 public:
  uint8_t& operator()(int32_t col, int32_t row) { return Cells[Slot(col, row)]; }
  uint8_t operator()(int32_t col, int32_t row) const { return Cells[Slot(col, row)]; }

  friend bool operator==(const TCells&, const TCells&) = default;

 private:
  static size_t Slot(int32_t col, int32_t row) {
    assert(col >= 1 && col <= MaxLines && row >= 1 && row <= MaxLines);
    return static_cast<size_t>((col - 1) * MaxLines + (row - 1));
  }

  std::array<uint8_t, MaxLines * MaxLines> Cells{};
};
