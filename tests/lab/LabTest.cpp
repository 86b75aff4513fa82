#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "tools/zeltoria-lab/LabCommand.h"

namespace {

struct Result {
  int Status;
  std::string Out;
  std::string Err;
};

Result Lab(const std::vector<std::string>& args) {
  std::ostringstream out, err;
  const int status = RunLab(args, out, err);
  return {status, out.str(), err.str()};
}

// Blocks of lines separated by blank lines.
std::vector<std::vector<std::string>> Blocks(const std::string& text) {
  std::vector<std::vector<std::string>> blocks(1);
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    if (line.empty()) {
      blocks.emplace_back();
    } else {
      blocks.back().push_back(line);
    }
  }
  return blocks;
}

std::string SortedCells(const std::vector<std::string>& rows) {
  std::vector<std::string> cells;
  for (const auto& row : rows) {
    std::istringstream in(row);
    for (std::string cell; in >> cell;) cells.push_back(cell);
  }
  std::sort(cells.begin(), cells.end());
  std::string all;
  for (const auto& cell : cells) all += cell + ' ';
  return all;
}

TEST(Lab, DealPrintsTheRowsTopFirstInLowerCaseHex) {
  // The same puzzles the dealing rules give by hand (see the model's deal tests).
  EXPECT_EQ(Lab({"deal", "1", "3", "3"}).Out, "00 10 30\n10 23 11\n03 00 01\n");
  const Result wide = Lab({"deal", "20240601", "5", "4"});
  EXPECT_EQ(wide.Status, 0);
  EXPECT_EQ(wide.Out, "0c 5c 64 50 30\n14 cf f8 33 21\n1d 62 87 ff 70\n07 c0 02 03 81\n");
  EXPECT_EQ(wide.Err, "");
  EXPECT_EQ(Lab({"deal", "4294967295", "4", "5"}).Status, 0);
}

TEST(Lab, StartPrintsTheDealThenEveryBatchThenTheirNumber) {
  const Result run = Lab({"start", "20240601", "5", "4"});
  ASSERT_EQ(run.Status, 0);
  EXPECT_EQ(run.Out, Lab({"start", "20240601", "5", "4"}).Out);  // a seed replays its game

  auto blocks = Blocks(run.Out);
  ASSERT_GE(blocks.size(), 3u);
  ASSERT_EQ(blocks.back().size(), 1u);
  const std::string last = blocks.back()[0];
  blocks.pop_back();
  const std::string dealt = Lab({"deal", "20240601", "5", "4"}).Out;
  std::string first;
  for (const auto& row : blocks[0]) first += row + '\n';
  EXPECT_EQ(first, dealt);

  const size_t batches = blocks.size() - 1;
  EXPECT_EQ(last, "batches " + std::to_string(batches));
  EXPECT_GE(batches, 10u);
  for (size_t i = 1; i < blocks.size(); ++i) {
    ASSERT_EQ(blocks[i].size(), 4u) << "batch " << i;
    EXPECT_EQ(SortedCells(blocks[i]), SortedCells(blocks[0])) << "batch " << i;
  }
  EXPECT_NE(blocks.back(), blocks[0]);  // the game does not start solved
  EXPECT_EQ(run.Out.substr(run.Out.size() - last.size() - 2), "\n" + last + "\n");
}

TEST(Lab, CommandLinesThatDoNotFitPrintTheUsageAndExitWithTwo) {
  const std::vector<std::vector<std::string>> wrong = {
      {},
      {"shuffle", "1", "3", "3"},
      {"deal"},
      {"deal", "1", "3"},
      {"deal", "1", "3", "3", "3"},
      {"deal", "-1", "3", "3"},
      {"deal", "+1", "3", "3"},
      {"deal", "4294967296", "3", "3"},
      {"deal", "12a", "3", "3"},
      {"deal", "", "3", "3"},
      {"deal", "1", "2", "3"},
      {"start", "1", "3", "6"},
      {"start", "1", "x", "3"},
      {"start", "1", " 3", "3"},
  };
  for (const auto& args : wrong) {
    std::string line;
    for (const auto& arg : args) line += "[" + arg + "]";
    const Result result = Lab(args);
    EXPECT_EQ(result.Status, 2) << line;
    EXPECT_EQ(result.Out, "") << line;
    EXPECT_EQ(result.Err.rfind("usage: zeltoria-lab ", 0), 0u) << line;
  }
  EXPECT_EQ(Lab({"start", "1", "3"}).Err, "usage: zeltoria-lab start SEED COLS ROWS\n");
  EXPECT_EQ(Lab({"--help"}).Status, 0);
  EXPECT_NE(Lab({"--help"}).Out.find("zeltoria-lab deal SEED COLS ROWS"), std::string::npos);
}

}  // namespace
