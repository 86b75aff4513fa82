// A paint box: a child area of the main window that paints through the widget device and
// reports mouse presses, moves and releases with the button and its own co-ordinates.
#pragma once

#include <QWidget>
#include <functional>

#include "platform/Device.h"

class TPaintBox : public QWidget {
 public:
  using TPaintEvent = std::function<void(platform::Device& canvas)>;
  using TMouseEvent = std::function<void(Qt::MouseButton button, int x, int y)>;
  using TMouseMoveEvent = std::function<void(int x, int y)>;

  explicit TPaintBox(QWidget* parent);

  TPaintEvent OnPaint;
  TMouseEvent OnMouseDown;
  TMouseMoveEvent OnMouseMove;
  TMouseEvent OnMouseUp;

  // Paints the whole box at once with `painter` in place of OnPaint. Nothing happens while the
  // box cannot be painted (hidden).
  void PaintNow(const TPaintEvent& painter);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  const TPaintEvent* PaintingNow = nullptr;
};
