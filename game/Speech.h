// The game's words for assistive technology: the names of its parts, the roads of a cell, and
// what it announces, in the player's language. Every host and the lab take them from here.
#pragma once

#include <cstdint>
#include <string>

#include "game/BoardCells.h"
#include "game/BoardLayout.h"
#include "language/Language.h"

namespace speech {

using language::TLanguage;

// "A" for column 1, as its key names it; "1" for row 1.
std::string ColumnName(int32_t col);
std::string RowName(int32_t row);
// "B2": column B, row 2.
std::string CellName(int32_t col, int32_t row);
// "roads north, east and south-west", "road west", "no road".
std::string RoadWords(const TLanguage& words, uint8_t roads);
// "Column B up", "Row 2 right".
std::string MoveName(const TLanguage& words, const TBoardLayout& layout, const TMoveCommand& move);
// "Column B up, key B", "Row 2 right, key 7".
std::string ArrowName(const TLanguage& words, const TBoardLayout& layout, const TMoveCommand& move);
// "3 columns by 4 rows".
std::string SizeWords(const TLanguage& words, int32_t cols, int32_t rows);

// How many cells of the player's board match the pattern.
int32_t CellsInPlace(const TCells& board, const TCells& pattern, int32_t cols, int32_t rows);

// The announcements.
std::string Scrambled(const TLanguage& words, int32_t cells, int32_t inPlace);
std::string MoveDone(const TLanguage& words, const TBoardLayout& layout, const TMoveCommand& move,
                     int32_t cells, int32_t inPlace, bool won);
std::string Dealt(const TLanguage& words, int32_t cols, int32_t rows);
std::string Resized(const TLanguage& words, int32_t cols, int32_t rows);

// What the back board's pictures say between games.
inline constexpr std::string_view ClickStartPicture = N_("Click Start to play");
inline constexpr std::string_view WellDonePicture = N_("Well done");

}  // namespace speech
