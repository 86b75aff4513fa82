// The main window's side of the board model: its controls, its two paint boxes and its timer.
#include <QTimer>

#include "controls/VexoButton.h"
#include "game/FormZelto.h"
#include "game/PaintBox.h"
#include "game/SurfaceDisplay.h"

void TFormZelto::EnableControls(bool idle) {
  cmdStart->SetEnabled(idle);
  cmdExit->SetEnabled(!idle);
  cmdColP->SetEnabled(idle && Model.Cols < MaxLines);
  cmdRowP->SetEnabled(idle && Model.Rows < MaxLines);
  cmdColM->SetEnabled(idle && Model.Cols > MinLines);
  cmdRowM->SetEnabled(idle && Model.Rows > MinLines);
}

void TFormZelto::DrawCells(int32_t firstCol, int32_t firstRow, int32_t lastCol, int32_t lastRow) {
  Renderer.DrawCells(Model.Board, Pictures.BoardData, firstCol, firstRow, lastCol, lastRow,
                     TCellStyle::Playing);
}

void TFormZelto::DrawArrow(bool axis, int32_t index) {
  Renderer.DrawArrow(axis, index);
}

void TFormZelto::DrawBoard(bool player) {
  const QPoint origin = player ? pbxBoard->pos() : pbxBackBoard->pos();
  Renderer.DrawBoard(player, {origin.x(), origin.y()});
}

// At once: the paint box repaints now, and its paint handler shows what changed.
void TFormZelto::ShowSurface(bool player) {
  (player ? pbxBoard : pbxBackBoard)->repaint();
}

void TFormZelto::DrawMoveFrame() {
  Renderer.DrawMoveFrame([this](TVX8ImageData& frame) {
    pbxBoard->PaintNow(
        [&](platform::Device& canvas) { ::ShowSurface(Library_.get(), &canvas, &frame); });
  });
}

// The timer keeps its rhythm: only a new interval restarts a running timer's count. A held
// key sets 100 ms again at every repeat, and a restart each time would starve it of ticks.
void TFormZelto::SetTimerInterval(int32_t milliseconds) {
  if (milliseconds == TimerInterval_) return;
  TimerInterval_ = milliseconds;
  tmrZelto->setInterval(milliseconds);
}

void TFormZelto::SetTimerEnabled(bool enabled) {
  TimerEnabled_ = enabled;
  if (Setup.ManualTimer) return;
  if (enabled && !tmrZelto->isActive()) tmrZelto->start();
  if (!enabled) tmrZelto->stop();
}
