#include "game/BoardRenderer.h"

void TBoardRenderer::DrawArrow(const TBoardState& state, const TMoveCommand& move) {
  const TBoardLayout layout = state.Layout();
  const bool pressed = move == state.Move();
  const bool firstSet = move.Index <= layout.Lines(move.Axis);
  int picture = move.Axis == TAxis::Column ? (firstSet ? ArrowAbove : ArrowBelow)
                                           : (firstSet ? ArrowLeft : ArrowRight);
  if (pressed) ++picture;  // each pressed strip follows its normal one
  TVX8ImageData* strip = Pictures.ArrowData[size_t(picture)];
  if (!strip || !Pictures.BoardData) return;

  // The strips above and left hold the arrows 1 to 5, those below and right 4 to 10.
  constexpr int32_t size = TBoardLayout::ArrowSize;
  const int32_t frame = firstSet ? move.Index - 1 : move.Index - 4;
  const TRect source{0, size * frame, size, size * frame + size};
  const TRect place = layout.ArrowRect(move);
  Pictures.BoardData->Draw({place.Left, place.Top}, *strip, source);
}

void TBoardRenderer::DrawArrows(const TBoardState& state) {
  for (int32_t i = 1; i <= 2 * state.Cols; ++i) DrawArrow(state, {TAxis::Column, i});
  for (int32_t i = 1; i <= 2 * state.Rows; ++i) DrawArrow(state, {TAxis::Row, i});
}
