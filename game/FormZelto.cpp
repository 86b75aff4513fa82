#include "game/FormZelto.h"

#include <new>

#include "controls/TileBG.h"
#include "controls/VexoButton.h"
#include "ui/Bevel.h"
#include "ui/PaintBox.h"

TFormZelto::TFormZelto(platform::WindowHost& host, TRandom& random, TFormZeltoSetup setup)
    : TForm(host), Setup(std::move(setup)), Model(*this, Renderer, random) {
  FormCreate();
}

// The library goes before the controls; they were registered with it and forget it.
TFormZelto::~TFormZelto() = default;

TVexoButton* TFormZelto::MakeButton(const char* name, const char* imageName, int left, int top,
                                    int width, int height, int tag) {
  auto* button = Make<TVexoButton>(name);
  button->SetBounds(left, top, width, height);
  button->SetImageName(imageName);
  button->Tag = tag;
  button->Version = 1;
  button->Toggles = false;
  button->SetChecked(false);
  button->SetFrameCount(3);
  button->SetCursor(platform::CursorId::Hand);
  // Stored disabled: its own flag is off while the window system keeps it enabled until
  // SetEnabled changes the flag, so a never-enabled button still takes (and ignores) presses.
  return button;
}

void TFormZelto::CreateComponents() {
  BG = Make<TTileBG>("BG");
  BG->SetImageName("tile");

  Frame = Make<ui::TBevel>("Frame");
  Frame->SetBounds(16, 12, 485, 377);

  pbxBoard = Make<ui::TPaintBox>("pbxBoard");
  pbxBoard->SetBounds(37, 104, TBoardLayout::PictureSize, TBoardLayout::PictureSize);
  pbxBoard->OnMouseDown = [this](platform::MouseButton b, int x, int y) {
    pbxBoardMouseDown(b, x, y);
  };
  pbxBoard->OnMouseMove = [this](int x, int y) { pbxBoardMouseMove(x, y); };
  pbxBoard->OnMouseUp = [this](platform::MouseButton, int, int) { pbxBoardMouseUp(); };
  // A move held by the mouse ends when the window loses the mouse, as at its release.
  pbxBoard->OnCaptureLost = [this] { pbxBoardMouseUp(); };
  pbxBoard->OnPaint = [this](platform::Device& canvas) { pbxBoardPaint(canvas); };

  pbxBackBoard = Make<ui::TPaintBox>("pbxBackBoard");
  pbxBackBoard->SetBounds(273, 104, TBoardLayout::PictureSize, TBoardLayout::PictureSize);
  pbxBackBoard->OnPaint = [this](platform::Device& canvas) { pbxBackBoardPaint(canvas); };

  cmdStart = MakeButton("cmdStart", "start", 299, 329, 156, 28, 0);
  cmdStart->OnClick = [this](TVexoButton*) { StartButtonClick(); };
  cmdExit = MakeButton("cmdExit", "exit", 299, 359, 156, 28, 0);
  cmdExit->OnClick = [this](TVexoButton*) { ExitButtonClick(); };
  cmdColM = MakeButton("cmdColM", "min_btn", 43, 329, 40, 28, 1);
  cmdColP = MakeButton("cmdColP", "plus_btn", 199, 329, 40, 28, 3);
  cmdRowM = MakeButton("cmdRowM", "min_btn", 43, 359, 40, 28, 2);
  cmdRowP = MakeButton("cmdRowP", "plus_btn", 199, 359, 40, 28, 4);
  for (TVexoButton* size : {cmdColM, cmdColP, cmdRowM, cmdRowP})
    size->OnClick = [this](TVexoButton* sender) { ColRowButtonClick(sender); };
  AccessibleName = Setup.Title;
  const language::TLanguage& words = Setup.Language;
  // TRANSLATORS: the button that starts a game; also drawn on the button and on the sign
  // "Click Start to play".
  cmdStart->AccessibleName = words.Tr("Start");
  // TRANSLATORS: the button that ends a game under way, or the program between games.
  cmdExit->AccessibleName = words.Tr("Exit");
  cmdColM->AccessibleName = words.Tr("Fewer columns");
  cmdColP->AccessibleName = words.Tr("More columns");
  cmdRowM->AccessibleName = words.Tr("Fewer rows");
  cmdRowP->AccessibleName = words.Tr("More rows");

  tmrZelto.OnTimer = [this] { tmrZeltoTimer(); };
}

// The controls are made under the same guard as the rest: a start without the memory for them
// ends in the start-up message like any other.
void TFormZelto::FormCreate() {
  try {
    CreateComponents();
    // Larger than the client area and centred on it: the reference for re-centring, and out
    // of the way of the mouse.
    Frame->SetBounds(-20, -20, ClientWidth() + 40, ClientHeight() + 40);
    Frame->SetWindowEnabled(false);

    Library_ = std::make_unique<TVX8Library>();
    Library_->SetScreenPalette(Host().ScreenPaletteFacts());
    Library_->OpenLibrary(Setup.DataDir + "zelto.vx8");
    // The data file may come from any folder: one whose pictures could not all be held is
    // refused here rather than when a picture is first shown. The other half of the limit is
    // for the copies the window makes (captions, boards, the frames of a move).
    Library_->CheckCatalogueDecodedBytes(Library_->DecodeLimit() / 2);
    TVexoButton::SetGlobalImageLibrary(Library_.get());
    TTileBG::SetGlobalImageLibrary(Library_.get());

    BG->OnAfterPaint = [this](platform::Device& canvas, const TRect& clip) {
      BGAfterPaint(canvas, clip);
    };
    Captions = std::make_unique<TCaptions>(*Library_, BackgroundPainter());

    Pictures.Take(*Library_);

    Model.SetCols(3);
    Model.SetRows(3);
    ExitButtonClick();
  } catch (const std::bad_alloc&) {
    // Said as the image engine says it when its own allocations fail.
    Failed("Allocate: out of memory");
  } catch (const std::exception& error) {
    Failed(error.what());
  }
}

TBackgroundPainter TFormZelto::BackgroundPainter() {
  return [this](TVX8ImageData& surface, TPoint origin) { BG->PaintTo(surface, origin); };
}

void TFormZelto::Failed(const std::string& reason) {
  // TRANSLATORS: {0} is the game's name, {1} the reason, in English, as the image engine gives
  // it.
  const std::string_view pattern = Setup.Language.Tr("{0} encountered a problem on start-up: {1}");
  Host().ShowMessage(language::Format(pattern, {Setup.Title, reason}));
  StartupFailed_ = true;
}
