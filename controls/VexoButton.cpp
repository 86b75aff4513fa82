#include "controls/VexoButton.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include "image/VX8ImageData.h"
#include "image/VX8Library.h"
#include "platform/qt/WidgetDevice.h"

TVX8Library* TVexoButton::GlobalLibrary = nullptr;

TVexoButton::TVexoButton(QWidget* parent) : QWidget(parent) {
  resize(75, 25);
  // Paints all of its area; the press keeps the mouse through Qt's implicit grab.
  setAttribute(Qt::WA_OpaquePaintEvent);
}

TVexoButton::~TVexoButton() {
  ReleaseImages();
  if (ImageLibrary) ImageLibrary->UnregisterReference(&ImageLibrary);
}

void TVexoButton::SetGlobalImageLibrary(TVX8Library* library) {
  if (library == GlobalLibrary) return;
  if (GlobalLibrary) GlobalLibrary->UnregisterReference(&GlobalLibrary);
  GlobalLibrary = library;
  if (library) library->RegisterReference(&GlobalLibrary);
}

void TVexoButton::SetImageLibrary(TVX8Library* library) {
  if (ImageLibrary) ImageLibrary->UnregisterReference(&ImageLibrary);
  // Also forgets the entries of a library that was destroyed while they were held.
  ReleaseImages();
  ImageLibrary = library;
  if (library) {
    library->RegisterReference(&ImageLibrary);
    SetImageName(ImageName_);
  }
}

TVX8Library* TVexoButton::GetImageLibrary() {
  if (!ImageLibrary) SetImageLibrary(GlobalLibrary);
  return ImageLibrary;
}

TVX8ImageData* TVexoButton::GetFaceData() {
  if (!FaceData_) SetImageName(ImageName_);
  return FaceData_;
}

void TVexoButton::SetImageName(const std::string& name) {
  ReleaseImages();
  ImageName_ = name;
  if (!ImageLibrary || !ImageLibrary->ImageExists(ImageName_)) return;
  try {
    StripNode_ = ImageLibrary->GetImage(ImageName_);
    StripData_ = ImageLibrary->GetImageData(StripNode_);
    if (!StripData_) return;  // no surface: the placeholder shows, the next paint tries again
    resize(StripData_->Width(), StripData_->Height() / FrameCount_);
    FaceNode_ = ImageLibrary->AddBlankImage(name, uint16_t(width()), uint16_t(height()));
    FaceData_ = ImageLibrary->GetImageData(FaceNode_);
    UpdateFace();
  } catch (...) {
    ReleaseImages();
    throw;
  }
}

void TVexoButton::ReleaseImages() {
  if (!ImageLibrary) {
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
    ImageLibrary->ReleaseImage(face);
  }
  TImageNode* strip = StripNode_;
  StripData_ = nullptr;
  StripNode_ = nullptr;
  ImageLibrary->ReleaseImage(strip);
}

void TVexoButton::SetEnabled(bool value) {
  if (value == Enabled_) return;
  Enabled_ = value;
  UpdateFace();
  // A disabled widget passes its mouse input on to its parent.
  setEnabled(value);
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
  return x >= 0 && x < width() && y >= 0 && y < height();
}

int TVexoButton::FrameIndex() const {
  if (FrameCount_ > 2 && !Enabled_) return 2;
  if (FrameCount_ > 1 && Enabled_ &&
      ((Toggles && Checked_) || (!Toggles && Pressed_ && MouseInside_)))
    return 1;
  return 0;
}

TRect TVexoButton::FrameRect(int k) const {
  return {0, k * height(), width(), (k + 1) * height()};
}

void TVexoButton::UpdateFace() {
  if (!GetImageLibrary() || !GetFaceData() || !StripData_) return;
  FaceData_->Draw({0, 0}, *StripData_, FrameRect(FrameIndex()));
  if (OnDecorate) OnDecorate(this);
  update();
}

void TVexoButton::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  PaintRect(painter, event->region(), {0, 0, width(), height()});
}

void TVexoButton::PaintRect(QPainter& painter, const QRegion& region, const TRect& rect) {
  if (!GetImageLibrary() || !GetFaceData()) {
    PaintPlaceholder(painter);
    return;
  }
  platform::WidgetDevice device(painter, region);
  const platform::LogicalPalette* previous = device.SelectPalette(ImageLibrary->GetHPal(), false);
  struct RestorePalette {
    platform::Device& Device;
    const platform::LogicalPalette* Previous;
    ~RestorePalette() { Device.SelectPalette(Previous, false); }
  } restore{device, previous};
  FaceData_->Display(device, {rect.Left, rect.Top}, rect);
}

void TVexoButton::PaintPlaceholder(QPainter& painter) {
  painter.fillRect(rect(), QColor(255, 0, 255));
  painter.setPen(Qt::white);
  painter.setFont(font());
  painter.drawText(QRect(2, 2, width(), height()),
                   Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, objectName());
}

void TVexoButton::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !Enabled_) return;
  if (Toggles) {
    SetChecked(!Checked_);
    if (OnClick) OnClick(this);
    return;
  }
  Pressed_ = true;
  const QPoint p = event->position().toPoint();
  MouseInside_ = PtInButton(p.x(), p.y());
  UpdateFace();
}

void TVexoButton::mouseMoveEvent(QMouseEvent* event) {
  if (!Enabled_ || !Pressed_ || Toggles) return;
  const QPoint p = event->position().toPoint();
  const bool inside = PtInButton(p.x(), p.y());
  if (inside == MouseInside_) return;
  MouseInside_ = inside;
  UpdateFace();
}

void TVexoButton::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !Enabled_ || Toggles) return;
  // A click needs a press on this button first.
  const bool wasPressed = Pressed_;
  Pressed_ = false;
  UpdateFace();
  const QPoint p = event->position().toPoint();
  if (wasPressed && PtInButton(p.x(), p.y()) && OnClick) OnClick(this);
}
