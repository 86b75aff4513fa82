// The game's words: roads, arrows and moves as the keys name them.
#include <gtest/gtest.h>

#include "game/Speech.h"

namespace {

const language::TLanguage english;

TEST(Speech, RoadsAreListedFromNorthRound) {
  const std::pair<uint8_t, const char*> cases[] = {
      {0, "no road"},
      {Road::West, "road west"},
      {Road::North | Road::South, "roads north and south"},
      {Road::North | Road::East | Road::SouthWest, "roads north, east and south-west"},
  };
  for (const auto& [roads, words] : cases) EXPECT_EQ(speech::RoadWords(english, roads), words);
}

TEST(Speech, ArrowsAreNamedByTheirMoveAndTheirKey) {
  const TBoardLayout fiveByFive(5, 5), threeByFour(3, 4);
  EXPECT_EQ(speech::ArrowName(english, fiveByFive, {TAxis::Column, 2}), "Column B up, key B");
  EXPECT_EQ(speech::ArrowName(english, fiveByFive, {TAxis::Row, 7}), "Row 2 right, key 7");
  EXPECT_EQ(speech::ArrowName(english, threeByFour, {TAxis::Column, 6}), "Column C down, key F");
  EXPECT_EQ(speech::ArrowName(english, threeByFour, {TAxis::Row, 4}), "Row 4 left, key 4");
  EXPECT_EQ(speech::MoveDone(english, threeByFour, {TAxis::Row, 5}, 12, 12, true),
            "Row 1 right: 12 of 12 cells in place. Solved, well done!");
  EXPECT_EQ(speech::SizeWords(english, 3, 1), "3 columns by 1 row");
}

}  // namespace
