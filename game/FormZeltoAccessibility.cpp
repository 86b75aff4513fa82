// The main window as assistive technology reads it: its buttons, the captions that act as
// buttons, both boards as grids of cells described by their roads, the arrows while they show,
// and the game's news spoken as announcements.
#include <string>

#include "controls/VexoButton.h"
#include "game/FormZelto.h"
#include "game/Speech.h"
#include "ui/PaintBox.h"

namespace {

using platform::AccessibleNode;
using platform::AccessibleRole;
namespace Flag = platform::AccessibleState;

AccessibleNode Part(std::string id, AccessibleRole role, std::string name, TRect bounds) {
  AccessibleNode node;
  node.Id = std::move(id);
  node.Role = role;
  node.Name = std::move(name);
  node.Bounds = bounds;
  return node;
}

AccessibleNode Button(std::string id, std::string name, std::string description, TRect bounds,
                      bool enabled) {
  AccessibleNode node = Part(std::move(id), AccessibleRole::Button, std::move(name), bounds);
  node.Description = std::move(description);
  node.States = enabled ? Flag::Enabled : 0u;
  node.Pressable = true;
  return node;
}

// "arrow.c3" for column move 3, "arrow.r5" for row move 5.
std::string ArrowId(const TMoveCommand& move) {
  return std::string("arrow.") + (move.Axis == TAxis::Column ? "c" : "r") +
         std::to_string(move.Index);
}

// A board as a grid of rows of cells, each cell described by its roads and, when `judged`,
// whether it already matches the pattern.
AccessibleNode Grid(const language::TLanguage& words, const std::string& id, std::string_view name,
                    const TCells& cells, TPoint origin, const TBoardState& model, bool judged) {
  constexpr int32_t pitch = TBoardLayout::CellPitch;
  const TBoardLayout layout = model.Layout();
  AccessibleNode board =
      Part(id, AccessibleRole::Grid, std::string(name),
           MoveRectTo({0, 0, TBoardLayout::PictureSize, TBoardLayout::PictureSize}, origin));
  // TRANSLATORS: a cell of the player's board: {0} is its roads, as in "road west".
  const std::string_view inPlace = words.Tr("{0}, in place");
  // TRANSLATORS: a cell of the player's board: {0} is its roads, as in "road west".
  const std::string_view notInPlace = words.Tr("{0}, not in place");
  for (int32_t row = 1; row <= model.Rows; ++row) {
    const TPoint first = layout.CellOrigin(1, row);
    // TRANSLATORS: a row of a board, for assistive technology: {0} is its number.
    const std::string_view rowPattern = words.Tr("Row {0}");
    AccessibleNode line =
        Part(id + ".r" + speech::RowName(row), AccessibleRole::Row,
             language::Format(rowPattern, {speech::RowName(row)}),
             {origin.X + first.X, origin.Y + first.Y, origin.X + first.X + pitch * model.Cols,
              origin.Y + first.Y + pitch});
    for (int32_t col = 1; col <= model.Cols; ++col) {
      const TPoint at = layout.CellOrigin(col, row);
      const std::string cellName = speech::CellName(col, row);
      AccessibleNode cell = Part(
          id + "." + cellName, AccessibleRole::Cell, cellName,
          {origin.X + at.X, origin.Y + at.Y, origin.X + at.X + pitch, origin.Y + at.Y + pitch});
      cell.Description = speech::RoadWords(words, cells(col, row));
      if (judged)
        cell.Description = language::Format(
            model.Board(col, row) == model.BackBoard(col, row) ? inPlace : notInPlace,
            {cell.Description});
      line.Children.push_back(std::move(cell));
    }
    board.Children.push_back(std::move(line));
  }
  return board;
}

}  // namespace

void TFormZelto::FormDescribe(std::vector<AccessibleNode>& into) {
  TForm::FormDescribe(into);  // the buttons, in the keyboard's order
  const language::TLanguage& words = Setup.Language;
  // TRANSLATORS: the game's title, which acts as a button: {0} is the game's name.
  AccessibleNode title = Button("title", language::Format(words.Tr("About {0}"), {Setup.Title}),
                                std::string(words.Tr("Opens the about box")),
                                Captions ? Captions->TitleRect : TRect{}, true);
  title.States |= Flag::Focusable;
  into.push_back(std::move(title));
  // TRANSLATORS: the size caption between the size buttons, which deals a new puzzle.
  into.push_back(Button("size", std::string(words.Tr("New puzzle")),
                        speech::SizeWords(words, State().Cols, State().Rows),
                        Captions ? Captions->SizeLabelRect : TRect{}, !State().Playing));

  const TBoardState& game = State();
  const TBoardLayout layout = game.Layout();
  const TPoint player{pbxBoard->Left(), pbxBoard->Top()};
  const TPoint back{pbxBackBoard->Left(), pbxBackBoard->Top()};
  into.push_back(
      Grid(words, "board", words.Tr("Your board"), game.Board, player, game, game.Playing));
  if (game.Playing) {
    // TRANSLATORS: the board on the right, which the player's board must come to match.
    into.push_back(Grid(words, "pattern", words.Tr("Pattern"), game.BackBoard, back, game, false));
    for (const TAxis axis : {TAxis::Column, TAxis::Row}) {
      for (int32_t index = 1; index <= 2 * layout.Lines(axis); ++index) {
        const TMoveCommand move{axis, index};
        const TRect onBoard = layout.ArrowRect(move);
        AccessibleNode arrow =
            Button(ArrowId(move), speech::ArrowName(words, layout, move), {},
                   MoveRectTo(onBoard, {player.X + onBoard.Left, player.Y + onBoard.Top}),
                   game.ShuffleCount <= 0);
        if (game.MoveIndex != 0 && game.Move() == move) arrow.States |= Flag::Pressed;
        into.push_back(std::move(arrow));
      }
    }
  } else {
    into.push_back(Part(
        "picture", AccessibleRole::Image,
        std::string(words.Tr(game.Solved ? speech::WellDonePicture : speech::ClickStartPicture)),
        MoveRectTo({0, 0, TBoardLayout::PictureSize, TBoardLayout::PictureSize}, back)));
  }
}

void TFormZelto::FormAccessiblePress(const std::string& id) {
  if (id == "title") {
    if (Setup.ShowAbout) Setup.ShowAbout();
  } else if (id == "size") {
    if (!State().Playing) Model.SizeLabelDeal();
  } else if (id.rfind("arrow.", 0) == 0 && id.size() > 7) {
    const TAxis axis = id[6] == 'c' ? TAxis::Column : TAxis::Row;
    // A click on the arrow: the move starts at the press and ends after its release.
    Model.StartMove({axis, std::stoi(id.substr(7))});
    Model.Release();
  }
}

// Said only to someone listening: without assistive technology the window spares the words.
void TFormZelto::BoardNews(TBoardNews news, const TMoveCommand& move) {
  if (!Host().AccessibilityActive()) return;
  const language::TLanguage& words = Setup.Language;
  const int32_t cells = State().Cols * State().Rows;
  const int32_t inPlace =
      speech::CellsInPlace(State().Board, State().BackBoard, State().Cols, State().Rows);
  switch (news) {
    case TBoardNews::Scrambled:
      Host().Announce(speech::Scrambled(words, cells, inPlace));
      break;
    case TBoardNews::MoveDone:
      Host().Announce(
          speech::MoveDone(words, State().Layout(), move, cells, inPlace, State().Solved));
      break;
    case TBoardNews::Dealt:
      Host().Announce(speech::Dealt(words, State().Cols, State().Rows));
      break;
    case TBoardNews::Resized:
      Host().Announce(speech::Resized(words, State().Cols, State().Rows));
      break;
  }
}
