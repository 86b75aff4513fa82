// The window as assistive technology and a keyboard-only player meet it: the parts it
// describes, the focus that Tab moves and Enter presses, presses by part, what changes are
// published, and what the game announces.
#include <gtest/gtest.h>

#include <algorithm>

#include "controls/VexoButton.h"
#include "game/Speech.h"
#include "tests/support/PseudoLanguage.h"
#include "tests/window/WindowRig.h"

namespace {

using namespace windowtest;
using platform::AccessibleNode;
using platform::AccessibleRole;
using platform::FocusKey;
namespace State = platform::AccessibleState;

std::vector<std::string> Names(const AccessibleNode& node) {
  std::vector<std::string> names;
  for (const AccessibleNode& child : node.Children) names.push_back(child.Name);
  return names;
}

TEST(Accessibility, TheWindowDescribesItsPartsAsAPlayerWouldSayThem) {
  TWindowRig rig;
  rig.Show();
  AccessibleNode tree = rig.Form().Accessible();
  EXPECT_EQ(Names(tree),
            (std::vector<std::string>{"Start", "Exit", "Fewer columns", "More columns",
                                      "Fewer rows", "More rows", "About Zeltoria", "New puzzle",
                                      "Your board", "Click Start to play"}));
  const AccessibleNode* board = platform::FindAccessible(tree, "board");
  ASSERT_NE(board, nullptr);
  EXPECT_EQ(board->Role, AccessibleRole::Grid);
  ASSERT_EQ(board->Children.size(), 3u);
  const AccessibleNode& b2 = board->Children[1].Children[1];
  EXPECT_EQ(b2.Name, "B2");
  EXPECT_EQ(b2.Description, speech::RoadWords(language::TLanguage(), rig.State().Board(2, 2)));
  EXPECT_EQ(b2.Bounds, (TRect{37 + 89, 104 + 89, 37 + 121, 104 + 121}));

  StartAndShuffle(rig);
  tree = rig.Form().Accessible();
  const AccessibleNode* arrow = platform::FindAccessible(tree, "arrow.r6");
  ASSERT_NE(arrow, nullptr);
  EXPECT_EQ(arrow->Name, "Row 3 right, key 6");
  EXPECT_EQ(platform::FindAccessible(tree, "pattern")->Role, AccessibleRole::Grid);
  const std::string judged = platform::FindAccessible(tree, "board.A1")->Description;
  EXPECT_TRUE(judged.ends_with(", in place") || judged.ends_with(", not in place")) << judged;
}

TEST(Accessibility, TabGoesRoundTheEnabledButtonsAndEnterPressesTheFocusedOne) {
  TWindowRig rig;
  rig.Show();
  TFormZelto& form = rig.Form();
  const TPoint beside{rig.Button("cmdStart")->Left() - 2, rig.Button("cmdStart")->Top() + 5};
  const uint32_t before = rig.ScreenAt(beside);
  form.FocusKeyPress(FocusKey::Press);  // nothing has the focus before the first Tab
  EXPECT_FALSE(rig.State().Playing);
  std::vector<std::string> order;
  for (int i = 0; i < 5; ++i) {
    form.FocusKeyPress(FocusKey::Next);
    order.push_back(form.FocusId());
  }
  EXPECT_EQ(order,
            (std::vector<std::string>{"cmdStart", "cmdColP", "cmdRowP", "title", "cmdStart"}));
  rig.Host().Flush();
  EXPECT_NE(rig.ScreenAt(beside), before) << "the focus mark shows";
  form.FocusKeyPress(FocusKey::Previous);
  EXPECT_EQ(form.FocusId(), "title");
  form.FocusKeyPress(FocusKey::Next);
  form.FocusKeyPress(FocusKey::Press);
  EXPECT_TRUE(rig.State().Playing);
  EXPECT_EQ(form.FocusId(), "cmdExit") << "the focus moves on from a button that was disabled";
}

TEST(Accessibility, APressByPartDoesWhatAClickDoes) {
  TWindowRig rig;
  rig.Show();
  rig.Form().AccessiblePress("title");
  EXPECT_EQ(rig.AboutShown, 1);
  const TCells dealt = rig.State().Board;
  rig.Form().AccessiblePress("size");
  EXPECT_NE(rig.State().Board, dealt);
  rig.Form().AccessiblePress("cmdExit");  // disabled: nothing
  rig.Form().AccessiblePress("cmdStart");
  rig.RunTimer();
  const TCells shuffled = rig.State().Board;
  rig.Form().AccessiblePress("arrow.c1");
  EXPECT_EQ(rig.State().Board(1, 1), shuffled(1, 2));
  EXPECT_EQ(rig.RunTimer(), 4) << "pressed and let go: one move";
}

TEST(Accessibility, ChangesArePublishedAndTheGameAnnouncesOncePerFinishedMove) {
  TWindowRig rig;
  rig.Host().SetAccessibilityActive(true);
  rig.Show();
  rig.Host().Announcements.clear();
  StartAndShuffle(rig);
  ASSERT_EQ(rig.Host().Announcements.size(), 1u);
  EXPECT_TRUE(rig.Host().Announcements[0].starts_with("Board scrambled: 9 cells, "));
  rig.Key('A');
  rig.Tick(7);  // held: the move repeats
  rig.KeyUp();
  rig.RunTimer();
  ASSERT_EQ(rig.Host().Announcements.size(), 2u);
  EXPECT_TRUE(rig.Host().Announcements[1].starts_with("Column A up: "))
      << rig.Host().Announcements[1];
  rig.Click(TWindowRig::Centre(rig.Button("cmdExit")));
  rig.Click(TWindowRig::Centre(rig.Button("cmdColP")));
  EXPECT_EQ(std::vector<std::string>(rig.Host().Announcements.begin() + 2,
                                     rig.Host().Announcements.end()),
            (std::vector<std::string>{"New puzzle dealt, 3 columns by 3 rows",
                                      "Board size 4 columns by 3 rows, new puzzle dealt"}));
}

TEST(Accessibility, OnlyWhatChangedIsPublished) {
  using platform::AccessibleChange;
  AccessibleNode before{"window",
                        AccessibleRole::Window,
                        "Zeltoria",
                        {},
                        State::Enabled,
                        {},
                        false,
                        {{"a", AccessibleRole::Button, "A", {}, State::Enabled, {}, true, {}},
                         {"b", AccessibleRole::Cell, "B", "road north", 0, {}, false, {}}}};
  AccessibleNode after = before;
  EXPECT_TRUE(platform::AccessibleChanges(before, after).empty());
  after.Children[0].States = State::Enabled | State::Focused | State::Pressed;
  after.Children[1].Description = "no road";
  EXPECT_EQ(platform::AccessibleChanges(before, after),
            (std::vector<platform::AccessibleEvent>{{AccessibleChange::State, "a", State::Pressed},
                                                    {AccessibleChange::Focus, "a"},
                                                    {AccessibleChange::Description, "b"}}));
  after.Children.pop_back();
  EXPECT_EQ(platform::AccessibleChanges(before, after),
            (std::vector<platform::AccessibleEvent>{
                {AccessibleChange::Children, "window", 0, {}, {"b"}}}));
}

// What every host answers its platform's questions from: parts by id with their parents, the
// deepest part at a point, the part with the focus.
TEST(Accessibility, TheIndexFindsPartsTheirParentsThePartAtAPointAndTheFocus) {
  TWindowRig rig;
  rig.Show();
  rig.Form().FocusKeyPress(platform::FocusKey::Next);
  platform::AccessibleIndex index;
  index.Reset(rig.Form().Accessible());
  const AccessibleNode* cell = index.Find("board.A1");
  ASSERT_NE(cell, nullptr);
  EXPECT_EQ(index.ParentOf("board.A1")->Id, "board.r1");
  EXPECT_EQ(index.ParentOf("board.r1")->Id, "board");
  EXPECT_EQ(index.ParentOf("window"), nullptr);
  EXPECT_EQ(index.Find("no such part"), nullptr);
  const TPoint inside{cell->Bounds.Left + 1, cell->Bounds.Top + 1};
  EXPECT_EQ(platform::AccessibleIndex::PartAt(index.Root(), inside), cell);
  EXPECT_EQ(platform::AccessibleIndex::PartAt(index.Root(), {-5, -5}), nullptr);
  ASSERT_NE(index.Focused(), nullptr);
  EXPECT_EQ(index.Focused()->Id, rig.Form().FocusId());
}

// In a language whose every text is [[English]], nothing the window names, describes, announces
// or shows is left in English: cells are named by their column letter and row number only, the
// window by the game's name.
TEST(Accessibility, EveryTextTheWindowSaysComesFromTheCatalogue) {
  const language::TLanguage pseudo(language::PseudoCatalogues()[0]);
  std::vector<std::string> untranslated;
  const auto check = [&](const std::string& text) {
    if (!text.empty() && !text.starts_with("[[")) untranslated.push_back(text);
  };
  const auto walk = [&](const auto& self, const AccessibleNode& node) -> void {
    const bool cell = node.Role == AccessibleRole::Cell;
    if (node.Id != "window" && !cell) check(node.Name);
    check(node.Description);
    for (const AccessibleNode& child : node.Children) self(self, child);
  };
  TWindowOptions inPseudo;
  inPseudo.Language = pseudo;
  TWindowRig rig(inPseudo);
  rig.Host().SetAccessibilityActive(true);
  rig.Show();
  walk(walk, rig.Form().Accessible());
  StartAndShuffle(rig);
  rig.Key('A');
  rig.KeyUp();
  rig.RunTimer();
  walk(walk, rig.Form().Accessible());
  rig.Click(TWindowRig::Centre(rig.Button("cmdExit")));
  rig.Click(TWindowRig::Centre(rig.Button("cmdColP")));
  for (const std::string& said : rig.Host().Announcements) check(said);
  inPseudo.WriteLibrary = false;
  TWindowRig missing(inPseudo);
  missing.Show();
  ASSERT_FALSE(missing.Messages().empty());
  for (const std::string& message : missing.Messages()) check(message);
  EXPECT_EQ(untranslated, std::vector<std::string>{});
}

}  // namespace
