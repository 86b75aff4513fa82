#include "game/BoardRenderer.h"

TRect TBoardRenderer::ArrowRect(bool axis, int32_t index) const {
  int32_t left = 0;
  int32_t top = 0;
  if (axis == ColumnAxis) {
    left = Model.BoardLeft + 6 + CellPitch * ((index - 1) % Model.Cols);
    top = index <= Model.Cols ? 16 * (5 - Model.Rows) : 109 + 16 * Model.Rows;
  } else {
    top = Model.BoardTop + 6 + CellPitch * ((index - 1) % Model.Rows);
    left = index <= Model.Rows ? 16 * (5 - Model.Cols) : 109 + 16 * Model.Cols;
  }
  return {left, top, left + ArrowSize, top + ArrowSize};
}

void TBoardRenderer::DrawArrow(bool axis, int32_t index) {
  const bool pressed = axis == Model.MoveAxis && index == Model.MoveIndex;
  const bool firstSet = index <= (axis == ColumnAxis ? Model.Cols : Model.Rows);
  int picture = axis == ColumnAxis ? (firstSet ? ArrowAbove : ArrowBelow)
                                   : (firstSet ? ArrowLeft : ArrowRight);
  if (pressed) ++picture;  // each pressed strip follows its normal one
  TVX8ImageData* strip = Pictures.ArrowData[size_t(picture)];
  if (!strip || !Pictures.BoardData) return;

  // The strips above and left hold the arrows 1 to 5, those below and right 4 to 10.
  const int32_t frame = firstSet ? index - 1 : index - 4;
  const TRect source{0, ArrowSize * frame, ArrowSize, ArrowSize * frame + ArrowSize};
  const TRect place = ArrowRect(axis, index);
  Pictures.BoardData->Draw({place.Left, place.Top}, *strip, source);
}

void TBoardRenderer::DrawArrows() {
  for (int32_t i = 1; i <= 2 * Model.Cols; ++i) DrawArrow(ColumnAxis, i);
  for (int32_t i = 1; i <= 2 * Model.Rows; ++i) DrawArrow(RowAxis, i);
}
