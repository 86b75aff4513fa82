// A windowless push button whose up, down and disabled looks are the frames of one picture
// strip from the image library; it can also act as a toggle.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "controls/LibraryHookup.h"
#include "ui/Control.h"

class TImageNode;
class TVX8ImageData;

class TVexoButton : public ui::TControl, public TLibraryHookup<TVexoButton> {
 public:
  using TNotifyEvent = std::function<void(TVexoButton* sender)>;

  // 75 × 25, no picture yet, disabled by its own flag.
  TVexoButton(ui::TForm& form, std::string name);
  ~TVexoButton() override;

  const std::string& ImageName() const { return ImageName_; }
  // Loads the strip, sizes the button to one frame and composes the face. A name the library
  // lacks is kept, and the button shows its placeholder.
  void SetImageName(const std::string& name);

  void SetImageLibrary(TVX8Library* library);
  TVX8ImageData* GetFaceData();
  void ReleaseImages();

  // The button's own flag, which chooses its look. Changing it also sets the window system's
  // enabled state to the same value; until then a new button keeps that state on.
  bool Enabled() const { return Enabled_; }
  void SetEnabled(bool value);
  bool Checked() const { return Checked_; }
  void SetChecked(bool value);
  uint8_t FrameCount() const { return FrameCount_; }
  // Values outside 1..3 are ignored; the size is not recomputed.
  void SetFrameCount(uint8_t value);

  bool PtInButton(int x, int y) const;
  // 0 up, 1 down, 2 disabled.
  int FrameIndex() const;
  // The rectangle of frame k within the strip.
  TRect FrameRect(int k) const;
  // Composes the face from the frame that fits the state and asks for a repaint.
  void UpdateFace();

  bool Pressed() const { return Pressed_; }
  bool MouseInside() const { return MouseInside_; }
  TImageNode* FaceNode() const { return FaceNode_; }
  TImageNode* StripNode() const { return StripNode_; }
  TVX8ImageData* FaceData() const { return FaceData_; }

  TNotifyEvent OnClick;
  TNotifyEvent OnDecorate;
  int Version = 1;  // kept with the window's description; nothing reads it
  bool Toggles = false;

  void Paint(platform::Device& canvas) override;
  void MouseDown(platform::MouseButton button, int x, int y) override;
  void MouseMove(int x, int y) override;
  void MouseUp(platform::MouseButton button, int x, int y) override;
  // A press that lost its capture ends without a click.
  void CaptureLost() override;
  // A button in the keyboard's focus chain, named by its AccessibleName.
  void Describe(std::vector<platform::AccessibleNode>& into) const override;
  // A click, when the button is enabled.
  void AccessiblePress() override;

  static constexpr uint32_t PlaceholderColor = 0xFF00FF;
  static constexpr uint32_t PlaceholderTextColor = 0xFFFFFF;

 private:
  void PaintRect(platform::Device& canvas, const TRect& rect);
  void PaintPlaceholder(platform::Device& canvas);

  std::string ImageName_;
  bool Checked_ = false;
  bool Enabled_ = false;
  uint8_t FrameCount_ = 3;
  bool Pressed_ = false;
  bool MouseInside_ = false;
  TImageNode* FaceNode_ = nullptr;
  TImageNode* StripNode_ = nullptr;
  TVX8ImageData* FaceData_ = nullptr;
  TVX8ImageData* StripData_ = nullptr;
};
