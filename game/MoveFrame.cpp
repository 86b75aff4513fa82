#include "game/BoardRenderer.h"
#include "game/ImageUse.h"

// The moved line already rests in its new place on the board picture; each frame shows its
// picture wrapped around within its strip, d pixels short of that place on the side it comes
// from (d - 1 for down and right moves), and the strip's last pixel line at rest.
void TBoardRenderer::DrawMoveFrame(const TFrameShower& show) {
  TVX8ImageData* board = Pictures.BoardData;
  if (!board || !Pictures.Library) return;
  TVX8Library& library = *Pictures.Library;
  TImageUse scratch(library, library.AddBlankImage("_scroll_", board->Width(), board->Height()));
  TVX8ImageData* frame = library.GetImageData(scratch.Get());
  if (!frame) return;
  frame->Draw({0, 0}, *board, board->GetBounds());

  const int32_t d = 8 * (4 - Model.MoveStep);
  if (Model.MoveAxis == ColumnAxis) {
    const bool down = Model.MoveIndex > Model.Cols;
    const int32_t c = down ? Model.MoveIndex - Model.Cols : Model.MoveIndex;
    const int32_t x = Model.BoardLeft + CellPitch * (c - 1);
    const int32_t t = Model.BoardTop;
    const int32_t b = Model.BoardTop + CellPitch * Model.Rows;
    if (down) {
      frame->Draw({x, b - d}, *board, {x, t, x + 31, t + d - 1});
      frame->Draw({x, t}, *board, {x, t + d - 1, x + 31, b});
    } else {
      frame->Draw({x, t + d}, *board, {x, t, x + 31, b - d - 1});
      frame->Draw({x, t}, *board, {x, b - d - 1, x + 31, b});
    }
  } else {
    const bool right = Model.MoveIndex > Model.Rows;
    const int32_t r = right ? Model.MoveIndex - Model.Rows : Model.MoveIndex;
    const int32_t y = Model.BoardTop + CellPitch * (r - 1);
    const int32_t l = Model.BoardLeft;
    const int32_t rr = Model.BoardLeft + CellPitch * Model.Cols;
    if (right) {
      frame->Draw({rr - d, y}, *board, {l, y, l + d - 1, y + 31});
      frame->Draw({l, y}, *board, {l + d - 1, y, rr, y + 31});
    } else {
      frame->Draw({l + d, y}, *board, {l, y, rr - d - 1, y + 31});
      frame->Draw({l, y}, *board, {rr - d - 1, y, rr, y + 31});
    }
  }
  if (show) show(*frame);
}
