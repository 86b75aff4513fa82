// The main window's side of the board model: its buttons, its timer, and where the boards are
// shown.
#include "controls/VexoButton.h"
#include "game/FormZelto.h"
#include "game/SurfaceDisplay.h"
#include "ui/PaintBox.h"

void TFormZelto::EnableControls(bool idle) {
  cmdStart->SetEnabled(idle);
  cmdExit->SetEnabled(!idle);
  cmdColP->SetEnabled(idle && State().Cols < MaxLines);
  cmdRowP->SetEnabled(idle && State().Rows < MaxLines);
  cmdColM->SetEnabled(idle && State().Cols > MinLines);
  cmdRowM->SetEnabled(idle && State().Rows > MinLines);
}

void TFormZelto::SetTimerInterval(int32_t milliseconds) {
  tmrZelto.SetInterval(milliseconds);
}

void TFormZelto::SetTimerEnabled(bool enabled) {
  tmrZelto.SetEnabled(enabled);
}

TPoint TFormZelto::BoardOrigin(bool player) const {
  const ui::TPaintBox* box = player ? pbxBoard : pbxBackBoard;
  return {box->Left(), box->Top()};
}

// At once: the paint box shows the picture now, through its own device, as its paint handler
// shows its board.
void TFormZelto::ShowPicture(bool player, TVX8ImageData& picture) {
  (player ? pbxBoard : pbxBackBoard)->PaintNow([&](platform::Device& canvas) {
    ::ShowSurface(Library_.get(), &canvas, &picture);
  });
}
