// The window background: covers its form's client area with a grid of one library picture,
// and gives any surface the piece of that grid that lies beneath it.
#pragma once

#include <functional>
#include <string>

#include "controls/LibraryHookup.h"
#include "ui/Control.h"

class TImageNode;
class TVX8ImageData;

class TTileBG : public ui::TControl, public TLibraryHookup<TTileBG> {
 public:
  // Called after the tiles of every painting, with the device (the library palette selected)
  // and the clip rectangle in the control's co-ordinates.
  using TAfterPaintEvent = std::function<void(platform::Device& canvas, const TRect& clip)>;

  // Covers the form's client area; disabled, so that the mouse goes to the form.
  TTileBG(ui::TForm& form, std::string name);
  ~TTileBG() override;

  const std::string& ImageName() const { return ImageName_; }
  // Keeps the name; loads the tile only when the control already holds a library.
  void SetImageName(const std::string& name);

  void SetImageLibrary(TVX8Library* library);
  TVX8ImageData* GetTileData();
  void ReleaseTile();

  // Tiles `surface` as if it lay on the background with its top-left corner at `origin`.
  void PaintTo(TVX8ImageData& surface, TPoint origin);
  // Follows the form's client area when it changes size.
  void FillForm();

  TImageNode* TileNode() const { return TileNode_; }

  TAfterPaintEvent OnAfterPaint;

  void Paint(platform::Device& canvas) override;

 private:
  std::string ImageName_;
  TImageNode* TileNode_ = nullptr;
  TVX8ImageData* TileData_ = nullptr;
};
