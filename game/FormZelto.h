// The game's main window: the two boards, the arrows, the Start, Exit and size buttons, the
// captions over the tiled background, the keys and the timer, turned into board-model operations.
// It is a form of the window layer; a host of any toolkit shows it.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "game/BoardModel.h"
#include "game/BoardPictures.h"
#include "game/BoardRenderer.h"
#include "game/Captions.h"
#include "language/Language.h"
#include "ui/Form.h"
#include "ui/Timer.h"

class TTileBG;
class TVexoButton;

namespace ui {
class TBevel;
class TPaintBox;
}  // namespace ui

// What the window takes from the application that creates it.
struct TFormZeltoSetup {
  std::string DataDir;              // the folder of "zelto.vx8", with its separator at the end
  std::string Title = "Zeltoria";   // the application title, first in the failure text
  language::TLanguage Language;     // what the window's texts are in; its pictures are DataDir's
  std::function<void()> ShowAbout;  // shows the about dialog modally
  bool AboutWhenShown = true;       // FormShow opens the about dialog
  // A later start's notice: AppMessage with this number gives the window the focus.
  uint16_t InstanceMessage = 0;
};

class TFormZelto : public ui::TForm, private TBoardWindow, public TBoardScreen {
 public:
  static constexpr int StoredClientWidth = 517;
  static constexpr int StoredClientHeight = 403;

  // Lays out the controls and runs FormCreate; the game deals from `random`. A failure there
  // has shown its message; StartupFailed() then says so and the window must not be shown.
  TFormZelto(platform::WindowHost& host, TRandom& random, TFormZeltoSetup setup);
  ~TFormZelto() override;

  bool StartupFailed() const { return StartupFailed_; }
  // The game as it stands.
  const TBoardState& State() const { return Model.State(); }
  // The library of the window's pictures; none when the start-up failed.
  const TVX8Library* Library() const { return Library_.get(); }

  // The application became active; a later start sent `message`.
  void AppActivate();
  void AppMessage(uint16_t message);

  // TBoardScreen.
  TPoint BoardOrigin(bool player) const override;
  void ShowPicture(bool player, TVX8ImageData& picture) override;

 private:
  // Tests set up states that play reaches only slowly, such as a game one move from its end.
  friend class TGameProbe;

  void CreateComponents();
  void FormCreate();
  void Failed(const std::string& reason);
  TVexoButton* MakeButton(const char* name, const char* imageName, int left, int top, int width,
                          int height, int tag);

  // Handlers.
  void FormShow() override;
  void FormResize() override;
  void FormPaint(platform::Device& canvas) override;
  void FormActivate() override;
  void FormMouseDown(platform::MouseButton button, int x, int y) override;
  void FormMouseMove(int x, int y) override;
  void FormKeyPress(char32_t key) override;
  void FormKeyUp() override;
  void FormDescribe(std::vector<platform::AccessibleNode>& into) override;
  int FormQueryNewPalette() override;
  void FormPaletteChanged(bool byThisWindow) override;
  void FormAccessiblePress(const std::string& id) override;
  void ColRowButtonClick(TVexoButton* sender);
  void StartButtonClick();
  void ExitButtonClick();
  void pbxBoardMouseDown(platform::MouseButton button, int x, int y);
  void pbxBoardMouseMove(int x, int y);
  void pbxBoardMouseUp();
  void pbxBoardPaint(platform::Device& canvas);
  void pbxBackBoardPaint(platform::Device& canvas);
  void tmrZeltoTimer();
  void BGAfterPaint(platform::Device& canvas, const TRect& clip);
  // The tiled background under a picture whose corner lies at a given place in the window.
  TBackgroundPainter BackgroundPainter();

  // The palette of a 256-colour display: the entries changed on realising the library palette
  // (always 0 on a true-colour screen).
  uint16_t RealizeLibraryPalette();

  std::optional<TMoveCommand> HitArrow(int x, int y) const;

  // TBoardWindow.
  void EnableControls(bool idle) override;
  void SetTimerInterval(int32_t milliseconds) override;
  void SetTimerEnabled(bool enabled) override;
  void BoardNews(TBoardNews news, const TMoveCommand& move) override;

  TFormZeltoSetup Setup;
  // Controls, in their stored order: later ones lie on top. The form owns them.
  TTileBG* BG = nullptr;
  ui::TBevel* Frame = nullptr;
  ui::TPaintBox* pbxBoard = nullptr;
  ui::TPaintBox* pbxBackBoard = nullptr;
  TVexoButton* cmdStart = nullptr;
  TVexoButton* cmdExit = nullptr;
  TVexoButton* cmdColM = nullptr;
  TVexoButton* cmdColP = nullptr;
  TVexoButton* cmdRowM = nullptr;
  TVexoButton* cmdRowP = nullptr;
  ui::TTimer tmrZelto{*this, 60};

  TBoardPictures Pictures;
  // The boards lie on the tiled background; it is there before anything is drawn.
  TBoardRenderer Renderer{Pictures, this, BackgroundPainter()};
  TBoardModel Model;
  // Made once the library is open; none when the start-up failed before.
  std::unique_ptr<TCaptions> Captions;
  std::unique_ptr<TVX8Library> Library_;
  bool StartupFailed_ = false;
};
