// The desktop host of one form: a QWidget whose client area is the form's. It turns Qt's mouse,
// key, resize, activation and timer events into the form's, paints what the form asks for
// through the widget device (pixels stay crisp squares on hi-DPI screens), and shows the
// application's cursors. It holds no game logic.
#pragma once

#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

#include "platform/FirstFrameQueue.h"
#include "platform/KeyInput.h"
#include "platform/MessageBoxes.h"
#include "platform/Window.h"

namespace platform {

class QtAccessibleTree;

class QtWindowHost : public QWidget, public WindowHost {
 public:
  // A top-level window of a fixed client size, centred on the screen; `boxes` shows the
  // form's messages and outlives the host.
  QtWindowHost(ClientSize size, const QString& title, MessageBoxes& boxes);
  ~QtWindowHost() override;

  // The form whose events this host delivers; not owned. Clear it before the form goes.
  void SetClient(WindowClient* client) { Client = client; }

  // Runs `then` from the event loop once the window has painted its first frame, or at the next
  // pass of the loop when it has already: what the first frame does not need waits for it.
  void AfterFirstFrame(std::function<void()> then);

  // WindowHost.
  ClientSize Size() const override { return {width(), height()}; }
  void Invalidate(const TRect& area) override;
  void PaintNow(const TRect& area, const PaintFunction& paint) override;
  void SetCursor(CursorId cursor) override;
  void StartTimer(int milliseconds) override;
  void StopTimer() override { Timer.stop(); }
  int RealizePalette(const LogicalPalette& palette) override;
  void BringToFront() override;
  void ShowMessage(const std::string& text) override { Boxes.ShowMessage(text); }
  bool AccessibilityActive() const override;
  void AccessibleChanged(const std::vector<AccessibleEvent>& events) override;
  void Announce(const std::string& text) override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  bool event(QEvent* event) override;
  bool focusNextPrevChild(bool) override { return false; }  // Tab is the form's
  void changeEvent(QEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  static KeyStroke Stroke(const QKeyEvent& event);

  MessageBoxes& Boxes;
  WindowClient* Client = nullptr;
  std::unique_ptr<QtAccessibleTree> Accessibility;
  QTimer Timer;
  bool ShownOnce = false;
  FirstFrameQueue AfterFirstFrame_;
  // The painting asked for by PaintNow while its paint event runs.
  const PaintFunction* PaintingNow = nullptr;
  TRect PaintingNowArea;
};

}  // namespace platform
