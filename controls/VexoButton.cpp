#include "controls/VexoButton.h"

#include "image/PaletteSelection.h"
#include "image/VX8ImageData.h"
#include "image/VX8Library.h"

TVexoButton::TVexoButton(ui::TForm& form, std::string name) : TControl(form, std::move(name)) {
  Resize(75, 25);
}

TVexoButton::~TVexoButton() {
  ReleaseImages();
}

void TVexoButton::SetImageLibrary(TVX8Library* library) {
  // Also forgets the entries of a library that was destroyed while they were held.
  ReleaseImages();
  ImageLibrary.Set(library);
  if (library) SetImageName(ImageName_);
}

TVX8ImageData* TVexoButton::GetFaceData() {
  if (!FaceData_) SetImageName(ImageName_);
  return FaceData_;
}

void TVexoButton::SetImageName(const std::string& name) {
  ReleaseImages();
  ImageName_ = name;
  TVX8Library* library = ImageLibrary.Get();
  if (!library || !library->ImageExists(ImageName_)) return;
  try {
    StripNode_ = library->GetImage(ImageName_);
    StripData_ = library->GetImageData(StripNode_);
    if (!StripData_) return;  // no surface: the placeholder shows, the next paint tries again
    Resize(StripData_->Width(), StripData_->Height() / FrameCount_);
    FaceNode_ = library->AddBlankImage(name, uint16_t(Width()), uint16_t(Height()));
    FaceData_ = library->GetImageData(FaceNode_);
    UpdateFace();
  } catch (...) {
    ReleaseImages();
    throw;
  }
}

void TVexoButton::ReleaseImages() {
  TVX8Library* library = ImageLibrary.Get();
  if (!library) {
    // The library went away while we held its entries: they went with it.
    FaceNode_ = StripNode_ = nullptr;
    FaceData_ = StripData_ = nullptr;
    return;
  }
  if (!StripNode_) return;
  if (FaceNode_) {
    TImageNode* face = FaceNode_;
    FaceData_ = nullptr;
    FaceNode_ = nullptr;
    library->ReleaseImage(face);
  }
  TImageNode* strip = StripNode_;
  StripData_ = nullptr;
  StripNode_ = nullptr;
  library->ReleaseImage(strip);
}

void TVexoButton::SetEnabled(bool value) {
  if (value == Enabled_) return;
  Enabled_ = value;
  UpdateFace();
  SetWindowEnabled(value);
}

void TVexoButton::SetChecked(bool value) {
  if (value == Checked_) return;
  Checked_ = value;
  UpdateFace();
}

void TVexoButton::SetFrameCount(uint8_t value) {
  if (value == FrameCount_ || value < 1 || value > 3) return;
  FrameCount_ = value;
  UpdateFace();
}

bool TVexoButton::PtInButton(int x, int y) const {
  return x >= 0 && x < Width() && y >= 0 && y < Height();
}

int TVexoButton::FrameIndex() const {
  if (FrameCount_ > 2 && !Enabled_) return 2;
  if (FrameCount_ > 1 && Enabled_ &&
      ((Toggles && Checked_) || (!Toggles && Pressed_ && MouseInside_)))
    return 1;
  return 0;
}

TRect TVexoButton::FrameRect(int k) const {
  return {0, k * Height(), Width(), (k + 1) * Height()};
}

void TVexoButton::UpdateFace() {
  if (!GetImageLibrary() || !GetFaceData() || !StripData_) return;
  FaceData_->Draw({0, 0}, *StripData_, FrameRect(FrameIndex()));
  if (OnDecorate) OnDecorate(this);
  Invalidate();
}

void TVexoButton::Paint(platform::Device& canvas) {
  PaintRect(canvas, {0, 0, Width(), Height()});
}

void TVexoButton::PaintRect(platform::Device& canvas, const TRect& rect) {
  if (!GetImageLibrary() || !GetFaceData()) {
    PaintPlaceholder(canvas);
    return;
  }
  TLibraryPaletteSelection selection(*ImageLibrary.Get(), canvas);
  FaceData_->Display(canvas, {rect.Left, rect.Top}, rect);
}

void TVexoButton::PaintPlaceholder(platform::Device& canvas) {
  const TRect whole{0, 0, Width(), Height()};
  canvas.FillRect(whole, PlaceholderColor);
  canvas.TextOut(2, 2, Name(), PlaceholderTextColor, whole);
}

void TVexoButton::MouseDown(platform::MouseButton button, int x, int y) {
  if (button != platform::MouseButton::Left || !Enabled_) return;
  if (Toggles) {
    SetChecked(!Checked_);
    if (OnClick) OnClick(this);
    return;
  }
  Pressed_ = true;
  MouseInside_ = PtInButton(x, y);
  UpdateFace();
}

void TVexoButton::MouseMove(int x, int y) {
  if (!Enabled_ || !Pressed_ || Toggles) return;
  const bool inside = PtInButton(x, y);
  if (inside == MouseInside_) return;
  MouseInside_ = inside;
  UpdateFace();
}

void TVexoButton::MouseUp(platform::MouseButton button, int x, int y) {
  if (button != platform::MouseButton::Left || !Enabled_ || Toggles) return;
  Pressed_ = false;
  UpdateFace();
  if (PtInButton(x, y) && OnClick) OnClick(this);
}

void TVexoButton::CaptureLost() {
  if (!Pressed_) return;
  Pressed_ = false;
  MouseInside_ = false;
  UpdateFace();
}

void TVexoButton::Describe(std::vector<platform::AccessibleNode>& into) const {
  namespace State = platform::AccessibleState;
  platform::AccessibleNode node;
  node.Id = Name();
  node.Role = platform::AccessibleRole::Button;
  node.Name = AccessibleName;
  node.States = State::Focusable | (Enabled_ ? State::Enabled : 0u) |
                (FrameIndex() == 1 ? State::Pressed : 0u);
  node.Bounds = Bounds();
  node.Pressable = true;
  into.push_back(std::move(node));
}

void TVexoButton::AccessiblePress() {
  if (!Enabled_) return;
  if (Toggles) SetChecked(!Checked_);
  if (OnClick) OnClick(this);
}
