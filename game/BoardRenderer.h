// Draws the two boards into their pictures: background, frame and grid lines, the cells with
// their roads and diagonal connectors in three styles, the arrows around the player's board,
// the back board's pictures between games, and the frames of a sliding move.
#pragma once

#include <cstdint>
#include <functional>

#include "foundation/Geometry.h"
#include "game/BoardModel.h"
#include "game/BoardPictures.h"
#include "game/BoardWindow.h"

// Where the two boards lie in the window, and how a picture reaches the screen there.
class TBoardScreen {
 public:
  virtual ~TBoardScreen() = default;
  // The top-left corner of the player's board (`player`) or the back board in the window's
  // client co-ordinates.
  virtual TPoint BoardOrigin(bool player) const = 0;
  // Shows `picture` on the player's board (`player`) or the back board at once.
  virtual void ShowPicture(bool player, TVX8ImageData& picture) = 0;
};

// Fills a surface with the window background that lies under it when its top-left corner sits
// at `origin` in the window's client co-ordinates.
using TBackgroundPainter = std::function<void(TVX8ImageData& surface, TPoint origin)>;

// Puts a finished frame on the player's board at once.
using TFrameShower = std::function<void(TVX8ImageData& frame)>;

enum class TCellStyle {
  Playing = 0,  // one pass, grid lines over each cell's right and bottom edge
  Framed = 1,   // one pass with connectors; the back board during a game
  Idle = 2,     // passes 2, 1, 0 with connectors: the roads stand out in relief
};

// Palette indices of the board lines.
inline constexpr uint8_t GridColor = 242;    // grid, and the top and left frame line
inline constexpr uint8_t ShadowColor = 118;  // the bottom and right frame line

class TBoardRenderer : public TBoardView {
 public:
  // Draws the states it is given into `pictures` over what `background` paints (none: the
  // pictures' own pixels stay), showing them on `screen` (none: nothing is shown); both must
  // outlive it.
  TBoardRenderer(TBoardPictures& pictures, TBoardScreen* screen,
                 TBackgroundPainter background = {});

  // TBoardView: the model's drawing, on the player's board and the back board.
  void DrawCells(const TBoardState& state, int32_t firstCol, int32_t firstRow, int32_t lastCol,
                 int32_t lastRow) override;
  void DrawArrow(const TBoardState& state, const TMoveCommand& move) override;
  void DrawBoard(const TBoardState& state, bool player) override;
  void ShowSurface(bool player) override;
  void DrawMoveFrame(const TBoardState& state) override;

  // Redraws a whole board picture, not shown. `origin`: the board's place in the window.
  void DrawBoard(const TBoardState& state, bool player, TPoint origin);
  // Draws the cells c0..c1 × r0..r1 of `cells`, laid out by `layout`, onto `surface`. Nothing
  // when the surface or the road or connector picture is missing.
  void DrawCells(const TBoardLayout& layout, const TCells& cells, TVX8ImageData* surface,
                 int32_t c0, int32_t r0, int32_t c1, int32_t r1, TCellStyle style);
  // Every arrow of the player's board, columns first.
  void DrawArrows(const TBoardState& state);
  // Composes animation frame MoveStep (1, 2 or 3) of the state's move on a scratch picture and
  // hands it to `show`; the scratch picture is given back afterwards, also when a step fails.
  void ComposeMoveFrame(const TBoardState& state, const TFrameShower& show);

 private:
  void DrawCellPass(const TBoardLayout& layout, const TCells& cells, TVX8ImageData& surface,
                    int32_t c0, int32_t r0, int32_t c1, int32_t r1, int pass, bool connectors);
  void DrawBetweenGamesPicture(TVX8ImageData& surface, bool solved);

  TBoardPictures& Pictures;
  TBoardScreen* Screen;
  TBackgroundPainter Background;
};
