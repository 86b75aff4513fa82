#include "controls/VX8Tile.h"

#include <QEvent>
#include <QPaintEvent>
#include <QPainter>

#include "image/VX8ImageData.h"
#include "image/VX8Library.h"
#include "platform/qt/WidgetDevice.h"

TVX8Library* TTileBG::GlobalLibrary = nullptr;

namespace {

// The start of the grid cell that holds `v` for cells of size `size` anchored at 0, with the
// remainder truncated toward zero.
int32_t CellStart(int32_t v, int32_t size) {
  return v - v % size;
}

// The first column (or row) of a grid anchored at -origin: 0 or negative, also for a
// negative origin.
int32_t GridOffset(int32_t origin, int32_t size) {
  return -(((origin % size) + size) % size);
}

}  // namespace

TTileBG::TTileBG(QWidget* parent) : QWidget(parent) {
  // Paints all of its area; the mouse goes to the parent.
  setAttribute(Qt::WA_OpaquePaintEvent);
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setEnabled(false);
  if (parent) {
    parent->installEventFilter(this);
    FillParent();
  }
}

TTileBG::~TTileBG() {
  ReleaseTile();
  if (ImageLibrary) ImageLibrary->UnregisterReference(&ImageLibrary);
}

void TTileBG::SetGlobalImageLibrary(TVX8Library* library) {
  if (library == GlobalLibrary) return;
  if (GlobalLibrary) GlobalLibrary->UnregisterReference(&GlobalLibrary);
  GlobalLibrary = library;
  if (library) library->RegisterReference(&GlobalLibrary);
}

void TTileBG::SetImageName(const std::string& name) {
  ReleaseTile();
  ImageName_ = name;
  if (!ImageLibrary || !ImageLibrary->ImageExists(ImageName_)) return;
  TileNode_ = ImageLibrary->GetImage(ImageName_);
  try {
    TileData_ = ImageLibrary->GetImageData(TileNode_);
    update();
  } catch (...) {
    ReleaseTile();
    throw;
  }
}

void TTileBG::SetImageLibrary(TVX8Library* library) {
  if (ImageLibrary) ImageLibrary->UnregisterReference(&ImageLibrary);
  // Also forgets the tile of a library that was destroyed while it was held.
  ReleaseTile();
  ImageLibrary = library;
  if (library) {
    library->RegisterReference(&ImageLibrary);
    SetImageName(ImageName_);
  }
}

TVX8Library* TTileBG::GetImageLibrary() {
  if (!ImageLibrary) SetImageLibrary(GlobalLibrary);
  return ImageLibrary;
}

TVX8ImageData* TTileBG::GetTileData() {
  if (!TileData_) SetImageName(ImageName_);
  return TileData_;
}

void TTileBG::ReleaseTile() {
  if (!ImageLibrary) {
    // The library went away while we held its tile: the tile went with it.
    TileNode_ = nullptr;
    TileData_ = nullptr;
    return;
  }
  if (!TileNode_) return;
  TImageNode* tile = TileNode_;
  TileNode_ = nullptr;
  TileData_ = nullptr;
  ImageLibrary->ReleaseImage(tile);
}

void TTileBG::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  platform::WidgetDevice device(painter, event->region());
  TVX8ImageData* tile = GetImageLibrary() ? GetTileData() : nullptr;
  // A tile without pixels would never fill anything.
  if (!tile || tile->Width() == 0 || tile->Height() == 0) {
    painter.fillRect(rect(), Qt::white);
    painter.fillRect(rect(), QBrush(Qt::black, Qt::DiagCrossPattern));
    return;
  }
  const int32_t tw = tile->Width();
  const int32_t th = tile->Height();
  const TRect clip = device.ClipBox();
  const int32_t x0 = CellStart(clip.Left, tw);
  int32_t x = x0;
  int32_t y = CellStart(clip.Top, th);

  const platform::LogicalPalette* previous = device.SelectPalette(ImageLibrary->GetHPal(), false);
  struct RestorePalette {
    platform::Device& Device;
    const platform::LogicalPalette* Previous;
    ~RestorePalette() { Device.SelectPalette(Previous, false); }
  } restore{device, previous};
  device.RealizePalette();
  while (x < clip.Right && y < clip.Bottom) {
    ImageLibrary->DrawImage(device, {x, y}, TileNode_);
    x += tw;
    if (x >= clip.Right) {
      x = x0;
      y += th;
    }
  }
  if (OnAfterPaint) OnAfterPaint(device, clip);
}

void TTileBG::PaintTo(TVX8ImageData& surface, TPoint origin) {
  if (!GetImageLibrary()) return;
  TVX8ImageData* tile = GetTileData();
  if (!tile || tile->Width() == 0 || tile->Height() == 0) return;
  const int32_t tw = tile->Width();
  const int32_t th = tile->Height();
  const int32_t dw = surface.Width();
  const int32_t dh = surface.Height();
  const int32_t x0 = GridOffset(origin.X, tw);
  int32_t x = x0;
  int32_t y = GridOffset(origin.Y, th);
  while (x < dw && y < dh) {
    surface.Draw({x, y}, *tile, {0, 0, tw, th});
    x += tw;
    if (x >= dw) {
      x = x0;
      y += th;
    }
  }
}

void TTileBG::FillParent() {
  setGeometry(parentWidget()->rect());
}

bool TTileBG::eventFilter(QObject* watched, QEvent* event) {
  if (watched == parentWidget() && event->type() == QEvent::Resize) FillParent();
  return QWidget::eventFilter(watched, event);
}
