// The game's main window: the two boards, the arrows, the Start, Exit and size buttons, the
// captions over the tiled background, the keys and the timer, turned into board-model operations.
#pragma once

#include <QWidget>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "game/BoardModel.h"
#include "game/BoardPictures.h"
#include "game/BoardRenderer.h"
#include "game/Captions.h"
#include "platform/MessageBoxes.h"

class QFrame;
class QTimer;
class TPaintBox;
class TTileBG;
class TVexoButton;

namespace platform {
class QtInstanceGuard;
}

// What the window takes from the entry that creates it.
struct TFormZeltoSetup {
  std::string DataDir;                      // the folder of "zelto.vx8", ending with '/'
  std::string Title = "Zeltoria";           // the application title, first in the failure text
  platform::MessageBoxes* Boxes = nullptr;  // shows the start-up failure
  std::function<void()> ShowAbout;          // shows the about dialog modally
  bool AboutWhenShown = true;               // FormShow opens the about dialog
  // A later start's notice arrives here; the window takes the focus for InstanceMessage.
  platform::QtInstanceGuard* Instance = nullptr;
  uint16_t InstanceMessage = 0;
  // The timer's ticks come only through tmrZeltoTimer (tools and tests drive them by hand).
  bool ManualTimer = false;
};

class TFormZelto : public QWidget, public TBoardWindow {
 public:
  static constexpr int StoredClientWidth = 517;
  static constexpr int StoredClientHeight = 403;

  // Lays out the children and runs FormCreate. A failure there has shown its message;
  // StartupFailed() then says so and the window must not be shown.
  explicit TFormZelto(TFormZeltoSetup setup);
  ~TFormZelto() override;

  bool StartupFailed() const { return StartupFailed_; }

  // Components, in their stored order: later ones lie on top.
  TTileBG* BG;
  QFrame* Frame;
  TPaintBox* pbxBoard;
  TPaintBox* pbxBackBoard;
  TVexoButton* cmdStart;
  TVexoButton* cmdExit;
  TVexoButton* cmdColM;
  TVexoButton* cmdColP;
  TVexoButton* cmdRowM;
  TVexoButton* cmdRowP;
  QTimer* tmrZelto;

  TBoardModel Model{*this};
  TBoardPictures Pictures;
  TBoardRenderer Renderer{Model, Pictures};
  TCaptions Captions{nullptr, nullptr};

  TVX8Library* Library() const { return Library_.get(); }
  // The timer's state, whether it runs on its own or by hand.
  bool TimerEnabled() const { return TimerEnabled_; }
  int TimerInterval() const { return TimerInterval_; }

  // Handlers.
  void FormShow();
  void FormResize();
  void FormMouseDown(Qt::MouseButton button, int x, int y);
  void FormMouseMove(int x, int y);
  void FormKeyPress(char32_t key);
  void FormKeyUp();
  void ColRowButtonClick(TVexoButton* sender);
  void StartButtonClick();
  void ExitButtonClick();
  void pbxBoardMouseDown(Qt::MouseButton button, int x, int y);
  void pbxBoardMouseMove(int x, int y);
  void pbxBoardMouseUp();
  void pbxBoardPaint(platform::Device& canvas);
  void pbxBackBoardPaint(platform::Device& canvas);
  void tmrZeltoTimer();
  void BGAfterPaint(platform::Device& canvas, const TRect& clip);
  void AppActivate();
  void AppMessage(uint16_t message);

  // The palette of a 256-colour display: entries changed on realising the library palette
  // (always 0 on this screen), and the answer to another window changing the system palette.
  uint16_t RealizeLibraryPalette();
  void PaletteChanged(const void* changedBy);
  int PaletteRealizations() const { return Realizations; }

  std::optional<TMoveCommand> HitArrow(int x, int y) const;

  // TBoardWindow.
  void EnableControls(bool idle) override;
  void DrawCells(int32_t firstCol, int32_t firstRow, int32_t lastCol, int32_t lastRow) override;
  void DrawArrow(bool axis, int32_t index) override;
  void DrawBoard(bool player) override;
  void ShowSurface(bool player) override;
  void DrawMoveFrame() override;
  void SetTimerInterval(int32_t milliseconds) override;
  void SetTimerEnabled(bool enabled) override;

 protected:
  void showEvent(QShowEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void changeEvent(QEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void CreateComponents();
  void FormCreate();
  TVexoButton* MakeButton(const char* name, const char* imageName, int left, int top, int width,
                          int height, int tag);
  bool IsOwnWidget(QObject* object) const;

  TFormZeltoSetup Setup;
  std::unique_ptr<TVX8Library> Library_;
  bool StartupFailed_ = false;
  bool Shown = false;
  bool TimerEnabled_ = false;
  int TimerInterval_ = 60;
  int Realizations = 0;
};
