// The main window's handlers: mouse, keys, buttons, timer, painting, resizing and palette.
#include "controls/TileBG.h"
#include "controls/VexoButton.h"
#include "game/FormZelto.h"
#include "game/SurfaceDisplay.h"
#include "ui/Bevel.h"
#include "ui/PaintBox.h"

void TFormZelto::FormShow() {
  if (Setup.AboutWhenShown && Setup.ShowAbout) Setup.ShowAbout();
}

void TFormZelto::FormResize() {
  // The background covers the client area before the rest follows it.
  BG->FillForm();
  int dx = -Frame->Left();
  int dy = -Frame->Top();
  // Division rounds towards zero, as C++'s does.
  Frame->MoveTo({(ClientWidth() - Frame->Width()) / 2, (ClientHeight() - Frame->Height()) / 2});
  dx += Frame->Left();
  dy += Frame->Top();
  for (ui::TControl* child : std::initializer_list<ui::TControl*>{
           cmdStart, cmdExit, cmdColP, cmdColM, cmdRowP, cmdRowM, pbxBoard, pbxBackBoard})
    child->MoveTo({child->Left() + dx, child->Top() + dy});
  if (Captions) {
    Captions->TitlePos = {Captions->TitlePos.X + dx, Captions->TitlePos.Y + dy};
    Captions->SizeLabelPos = {Captions->SizeLabelPos.X + dx, Captions->SizeLabelPos.Y + dy};
    Captions->ReleaseComposites();
  }
  Renderer.DrawBoard(State(), true);
  Renderer.DrawBoard(State(), false);
}

void TFormZelto::FormPaint(platform::Device&) {
  RealizeLibraryPalette();
}

void TFormZelto::FormActivate() {
  RealizeLibraryPalette();
}

void TFormZelto::AppActivate() {
  RealizeLibraryPalette();
}

void TFormZelto::AppMessage(uint16_t message) {
  if (message == Setup.InstanceMessage) Host().BringToFront();
}

int TFormZelto::FormQueryNewPalette() {
  return RealizeLibraryPalette();
}

// Another window's palette took the screen's entries: this window's pixels follow them.
void TFormZelto::FormPaletteChanged(bool byThisWindow) {
  if (Library_ && Library_->Palette() && !byThisWindow) Host().UpdateColors(*Library_->GetHPal());
}

uint16_t TFormZelto::RealizeLibraryPalette() {
  if (!Library_ || !Library_->Palette()) return 0;
  const int changed = Host().RealizePalette(*Library_->GetHPal());
  if (changed > 0) Invalidate();
  return uint16_t(changed);
}

void TFormZelto::FormMouseDown(platform::MouseButton button, int x, int y) {
  if (!Captions) return;
  if (Captions->TitleRect.Contains({x, y}) && button == platform::MouseButton::Left &&
      Setup.ShowAbout)
    Setup.ShowAbout();
  if (Captions->SizeLabelRect.Contains({x, y}) && !State().Playing) Model.SizeLabelDeal();
}

void TFormZelto::FormMouseMove(int x, int y) {
  if (!Captions || !Captions->Title.Data) return;
  const TRect title = MoveRectTo(Captions->Title.Data->GetBounds(), Captions->TitlePos);
  SetCursor(title.Contains({x, y}) ? platform::CursorId::Hand : platform::CursorId::Default);
}

void TFormZelto::FormKeyPress(char32_t key) {
  Model.KeyPress(key);
}

void TFormZelto::FormKeyUp() {
  Model.Release();
}

void TFormZelto::ColRowButtonClick(TVexoButton* sender) {
  Model.ColRowButtonClick(sender->Tag);
}

void TFormZelto::StartButtonClick() {
  Model.Start();
}

void TFormZelto::ExitButtonClick() {
  Model.Exit();
}

std::optional<TMoveCommand> TFormZelto::HitArrow(int x, int y) const {
  return State().Layout().HitArrow(x, y);
}

void TFormZelto::pbxBoardMouseDown(platform::MouseButton, int x, int y) {
  if (!State().Playing || State().ShuffleCount > 0) return;
  if (const auto hit = HitArrow(x, y)) Model.StartMove(*hit);
}

void TFormZelto::pbxBoardMouseMove(int x, int y) {
  const bool overArrow = State().Playing && State().ShuffleCount <= 0 && HitArrow(x, y).has_value();
  pbxBoard->SetCursor(overArrow ? platform::CursorId::Hand : platform::CursorId::Default);
}

void TFormZelto::pbxBoardMouseUp() {
  Model.Release();
}

void TFormZelto::pbxBoardPaint(platform::Device& canvas) {
  ::ShowSurface(Library_.get(), &canvas, Pictures.BoardData);
}

void TFormZelto::pbxBackBoardPaint(platform::Device& canvas) {
  ::ShowSurface(Library_.get(), &canvas, Pictures.BackBoardData);
}

void TFormZelto::BGAfterPaint(platform::Device& canvas, const TRect& clip) {
  if (Captions) Captions->BGAfterPaint(canvas, clip);
}

void TFormZelto::tmrZeltoTimer() {
  Model.TimerTick();
}
