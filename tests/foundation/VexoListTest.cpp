#include <gtest/gtest.h>

#include <vector>

#include "foundation/VexoList.h"

namespace {

// An entry that records the order in which entries are destroyed.
struct Tracked : TVexoNode {
  Tracked(int id, std::vector<int>* log) : Id(id), Log(log) {}
  ~Tracked() override {
    if (Log) Log->push_back(Id);
  }
  int Id;
  std::vector<int>* Log;
};

std::vector<int> Ids(const TVexoList& list) {
  std::vector<int> ids;
  for (TVexoNode* n = list.Next(nullptr); n; n = list.Next(n))
    ids.push_back(static_cast<Tracked*>(n)->Id);
  return ids;
}

std::vector<int> IdsBackwards(const TVexoList& list) {
  std::vector<int> ids;
  for (TVexoNode* n = list.Prev(nullptr); n; n = list.Prev(n))
    ids.push_back(static_cast<Tracked*>(n)->Id);
  return ids;
}

TEST(VexoList, AddKeepsOrderAndLinksBothWays) {
  TVexoList list;
  EXPECT_EQ(list.Next(nullptr), nullptr);
  EXPECT_EQ(list.Prev(nullptr), nullptr);
  auto* a = new Tracked(1, nullptr);
  list.Add(a);
  EXPECT_EQ(list.First, a);
  EXPECT_EQ(list.Last, a);
  list.Add(new Tracked(2, nullptr));
  list.Add(new Tracked(3, nullptr));
  list.Add(nullptr);
  EXPECT_EQ(Ids(list), (std::vector<int>{1, 2, 3}));
  EXPECT_EQ(IdsBackwards(list), (std::vector<int>{3, 2, 1}));
  EXPECT_EQ(list.First->Prev, nullptr);
  EXPECT_EQ(list.Last->Next, nullptr);
}

TEST(VexoList, RemovingEntriesHandsThemBackUnlinked) {
  TVexoList list;
  auto* a = new Tracked(1, nullptr);
  auto* b = new Tracked(2, nullptr);
  auto* c = new Tracked(3, nullptr);
  list.Add(a);
  list.Add(b);
  list.Add(c);

  list.Remove(c);  // the last of three: the middle one becomes Last
  EXPECT_EQ(list.Last, b);
  EXPECT_EQ(b->Next, nullptr);
  EXPECT_EQ(c->Prev, nullptr);
  EXPECT_FALSE(list.Contains(c));
  delete c;

  list.Add(c = new Tracked(3, nullptr));
  list.Remove(b);  // a middle entry
  EXPECT_EQ(Ids(list), (std::vector<int>{1, 3}));
  EXPECT_EQ(b->Next, nullptr);
  EXPECT_EQ(b->Prev, nullptr);
  delete b;

  EXPECT_EQ(list.RemoveFirst(), a);
  EXPECT_EQ(a->Next, nullptr);
  EXPECT_EQ(list.RemoveLast(), c);
  EXPECT_EQ(list.First, nullptr);
  EXPECT_EQ(list.Last, nullptr);
  EXPECT_EQ(list.RemoveFirst(), nullptr);
  EXPECT_EQ(list.RemoveLast(), nullptr);
  list.Remove(nullptr);
  delete a;
  delete c;
}

TEST(VexoList, ClearAndDestructionFreeEntriesFrontToBack) {
  std::vector<int> log;
  {
    TVexoList list;
    for (int i = 1; i <= 3; ++i) list.Add(new Tracked(i, &log));
    list.Clear();
    EXPECT_EQ(log, (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(list.First, nullptr);
    list.Add(new Tracked(4, &log));
    list.Add(new Tracked(5, &log));
  }
  EXPECT_EQ(log, (std::vector<int>{1, 2, 3, 4, 5}));
}

}  // namespace
