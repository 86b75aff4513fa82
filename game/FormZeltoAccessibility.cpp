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
namespace State = platform::AccessibleState;

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
  node.States = enabled ? State::Enabled : 0u;
  node.Pressable = true;
  return node;
}

// "arrow.c3" for column move 3, "arrow.r5" for row move 5.
std::string ArrowId(const TMoveCommand& move) {
  return std::string("arrow.") + (move.Axis == TAxis::Column ? "c" : "r") +
         std::to_string(move.Index);
}

}  // namespace

void TFormZelto::FormDescribe(std::vector<AccessibleNode>& into) {
  TForm::FormDescribe(into);  // the buttons, in the keyboard's order
  AccessibleNode title =
      Button("title", "About " + Setup.Title, "Opens the about box", Captions.TitleRect, true);
  title.States |= State::Focusable;
  into.push_back(std::move(title));
  into.push_back(Button("size", "New puzzle", speech::SizeWords(Model.Cols, Model.Rows),
                        Captions.SizeLabelRect, !Model.Playing));

  const TBoardLayout layout = Model.Layout();
  const auto grid = [&](const char* id, const char* name, const TCells& cells, TPoint origin,
                        bool judged) {
    AccessibleNode board =
        Part(id, AccessibleRole::Grid, name,
             MoveRectTo({0, 0, TBoardLayout::PictureSize, TBoardLayout::PictureSize}, origin));
    for (int32_t row = 1; row <= Model.Rows; ++row) {
      const TPoint rowOrigin = layout.CellOrigin(1, row);
      AccessibleNode line = Part(std::string(id) + ".r" + speech::RowName(row), AccessibleRole::Row,
                                 "Row " + speech::RowName(row),
                                 {origin.X + rowOrigin.X, origin.Y + rowOrigin.Y,
                                  origin.X + rowOrigin.X + TBoardLayout::CellPitch * Model.Cols,
                                  origin.Y + rowOrigin.Y + TBoardLayout::CellPitch});
      for (int32_t col = 1; col <= Model.Cols; ++col) {
        const TPoint at = layout.CellOrigin(col, row);
        AccessibleNode cell =
            Part(std::string(id) + "." + speech::CellName(col, row), AccessibleRole::Cell,
                 speech::CellName(col, row),
                 {origin.X + at.X, origin.Y + at.Y, origin.X + at.X + TBoardLayout::CellPitch,
                  origin.Y + at.Y + TBoardLayout::CellPitch});
        cell.Description = speech::RoadWords(cells(col, row));
        if (judged)
          cell.Description +=
              Model.Board(col, row) == Model.BackBoard(col, row) ? ", in place" : ", not in place";
        line.Children.push_back(std::move(cell));
      }
      board.Children.push_back(std::move(line));
    }
    into.push_back(std::move(board));
  };
  const TPoint player{pbxBoard->Left(), pbxBoard->Top()};
  const TPoint back{pbxBackBoard->Left(), pbxBackBoard->Top()};
  grid("board", "Your board", Model.Board, player, Model.Playing);
  if (Model.Playing) {
    grid("pattern", "Pattern", Model.BackBoard, back, false);
    for (const TAxis axis : {TAxis::Column, TAxis::Row}) {
      for (int32_t index = 1; index <= 2 * layout.Lines(axis); ++index) {
        const TMoveCommand move{axis, index};
        AccessibleNode arrow =
            Button(ArrowId(move), speech::ArrowName(layout, move), {},
                   MoveRectTo(layout.ArrowRect(move), {player.X + layout.ArrowRect(move).Left,
                                                       player.Y + layout.ArrowRect(move).Top}),
                   Model.ShuffleCount <= 0);
        if (Model.MoveIndex != 0 && Model.Move() == move) arrow.States |= State::Pressed;
        into.push_back(std::move(arrow));
      }
    }
  } else {
    into.push_back(
        Part("picture", AccessibleRole::Image,
             Model.Solved ? speech::WellDonePicture : speech::ClickStartPicture,
             MoveRectTo({0, 0, TBoardLayout::PictureSize, TBoardLayout::PictureSize}, back)));
  }
}

void TFormZelto::FormAccessiblePress(const std::string& id) {
  if (id == "title") {
    if (Setup.ShowAbout) Setup.ShowAbout();
  } else if (id == "size") {
    if (!Model.Playing) Model.SizeLabelDeal();
  } else if (id.rfind("arrow.", 0) == 0 && id.size() > 7) {
    const TAxis axis = id[6] == 'c' ? TAxis::Column : TAxis::Row;
    // A click on the arrow: the move starts at the press and ends after its release.
    Model.StartMove({axis, std::stoi(id.substr(7))});
    Model.Release();
  }
}

void TFormZelto::BoardNews(TBoardNews news, const TMoveCommand& move) {
  const int32_t cells = Model.Cols * Model.Rows;
  const int32_t inPlace =
      speech::CellsInPlace(Model.Board, Model.BackBoard, Model.Cols, Model.Rows);
  switch (news) {
    case TBoardNews::Scrambled:
      Host().Announce(speech::Scrambled(cells, inPlace));
      break;
    case TBoardNews::MoveDone:
      Host().Announce(speech::MoveDone(Model.Layout(), move, cells, inPlace, Model.Solved));
      break;
    case TBoardNews::Dealt:
      Host().Announce(speech::Dealt(Model.Cols, Model.Rows));
      break;
    case TBoardNews::Resized:
      Host().Announce(speech::Resized(Model.Cols, Model.Rows));
      break;
  }
}
