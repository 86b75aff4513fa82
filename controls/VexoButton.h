// A windowless push button whose up, down and disabled looks are the frames of one picture
// strip from the image library; it can also act as a toggle.
#pragma once

#include <QWidget>
#include <cstdint>
#include <functional>
#include <string>

#include "foundation/Geometry.h"

class TImageNode;
class TVX8ImageData;
class TVX8Library;

class TVexoButton : public QWidget {
 public:
  using TNotifyEvent = std::function<void(TVexoButton* sender)>;

  explicit TVexoButton(QWidget* parent = nullptr);
  ~TVexoButton() override;

  // The library every button without one of its own takes. Buttons that already hold a
  // library go on using it.
  static void SetGlobalImageLibrary(TVX8Library* library);
  static TVX8Library* GlobalImageLibrary() { return GlobalLibrary; }

  const std::string& ImageName() const { return ImageName_; }
  // Loads the strip, sizes the button to one frame and composes the face. A name the library
  // lacks is kept, and the button shows its placeholder.
  void SetImageName(const std::string& name);

  void SetImageLibrary(TVX8Library* library);
  TVX8Library* GetImageLibrary();
  TVX8ImageData* GetFaceData();
  void ReleaseImages();

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
  int Tag = 0;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  void PaintRect(QPainter& painter, const QRegion& region, const TRect& rect);
  void PaintPlaceholder(QPainter& painter);

  static TVX8Library* GlobalLibrary;

  std::string ImageName_;
  TVX8Library* ImageLibrary = nullptr;  // registered with the library, which clears it
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
