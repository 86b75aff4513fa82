#include "game/BoardRenderer.h"
#include "image/ImageUse.h"

// The moved line already rests in its new place on the board picture; each frame shows its
// picture wrapped around within its strip, d pixels short of that place on the side it comes
// from (d - 1 for down and right moves), and the strip's last pixel line at rest.
void TBoardRenderer::ComposeMoveFrame(const TBoardState& state, const TFrameShower& show) {
  TVX8ImageData* board = Pictures.BoardData;
  if (!board || !Pictures.Library) return;
  TVX8Library& library = *Pictures.Library;
  TImageUse scratch(library, library.AddBlankImage("_scroll_", board->Width(), board->Height()));
  TVX8ImageData* frame = library.GetImageData(scratch.Get());
  if (!frame) return;
  frame->Draw({0, 0}, *board, board->GetBounds());

  const TBoardLayout layout = state.Layout();
  const TMoveCommand move = state.Move();
  const TRect s = layout.LineStrip(move.Axis, layout.MoveLine(move));
  const int32_t d = 8 * (4 - state.MoveStep);
  switch (layout.MoveDirection(move)) {
    case TDirection::Down:
      frame->Draw({s.Left, s.Bottom - d}, *board, {s.Left, s.Top, s.Right, s.Top + d - 1});
      frame->Draw({s.Left, s.Top}, *board, {s.Left, s.Top + d - 1, s.Right, s.Bottom});
      break;
    case TDirection::Up:
      frame->Draw({s.Left, s.Top + d}, *board, {s.Left, s.Top, s.Right, s.Bottom - d - 1});
      frame->Draw({s.Left, s.Top}, *board, {s.Left, s.Bottom - d - 1, s.Right, s.Bottom});
      break;
    case TDirection::Right:
      frame->Draw({s.Right - d, s.Top}, *board, {s.Left, s.Top, s.Left + d - 1, s.Bottom});
      frame->Draw({s.Left, s.Top}, *board, {s.Left + d - 1, s.Top, s.Right, s.Bottom});
      break;
    case TDirection::Left:
      frame->Draw({s.Left + d, s.Top}, *board, {s.Left, s.Top, s.Right - d - 1, s.Bottom});
      frame->Draw({s.Left, s.Top}, *board, {s.Right - d - 1, s.Top, s.Right, s.Bottom});
      break;
  }
  if (show) show(*frame);
}
