// The window background: covers its parent's client area with a grid of one library picture,
// and gives any surface the piece of that grid that lies beneath it.
#pragma once

#include <QWidget>
#include <functional>
#include <string>

#include "foundation/Geometry.h"

class TImageNode;
class TVX8ImageData;
class TVX8Library;

namespace platform {
class Device;
}

class TTileBG : public QWidget {
 public:
  // Called after the tiles of every painting, with the device (the library palette selected)
  // and the clip rectangle in the control's co-ordinates.
  using TAfterPaintEvent = std::function<void(platform::Device& canvas, const TRect& clip)>;

  explicit TTileBG(QWidget* parent = nullptr);
  ~TTileBG() override;

  static void SetGlobalImageLibrary(TVX8Library* library);
  static TVX8Library* GlobalImageLibrary() { return GlobalLibrary; }

  const std::string& ImageName() const { return ImageName_; }
  // Keeps the name; loads the tile only when the control already holds a library.
  void SetImageName(const std::string& name);

  void SetImageLibrary(TVX8Library* library);
  TVX8Library* GetImageLibrary();
  TVX8ImageData* GetTileData();
  void ReleaseTile();

  // Tiles `surface` as if it lay on the background with its top-left corner at `origin`.
  void PaintTo(TVX8ImageData& surface, TPoint origin);

  TImageNode* TileNode() const { return TileNode_; }

  TAfterPaintEvent OnAfterPaint;

 protected:
  void paintEvent(QPaintEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void FillParent();

  static TVX8Library* GlobalLibrary;

  std::string ImageName_;
  TVX8Library* ImageLibrary = nullptr;  // registered with the library, which clears it
  TImageNode* TileNode_ = nullptr;
  TVX8ImageData* TileData_ = nullptr;
};
