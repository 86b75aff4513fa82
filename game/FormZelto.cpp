#include "game/FormZelto.h"

#include <QApplication>
#include <QFrame>
#include <QGuiApplication>
#include <QIcon>
#include <QScreen>
#include <QTimer>

#include "controls/VX8Tile.h"
#include "controls/VexoButton.h"
#include "game/PaintBox.h"
#include "platform/qt/AppCursors.h"
#include "platform/qt/QtInstanceGuard.h"
#include "tools/artbuilder/ArtResources.h"

namespace {

// The icon at every size it is drawn in, from the program's resources.
QIcon GameIcon() {
  QIcon icon;
  for (const char* path : art::kIconPaths) icon.addFile(QString::fromLatin1(path));
  return icon;
}

}  // namespace

TFormZelto::TFormZelto(TFormZeltoSetup setup) : QWidget(nullptr), Setup(std::move(setup)) {
  setWindowTitle(QStringLiteral("Zeltoria"));
  setWindowIcon(GameIcon());
  // A single border: the user cannot resize the window.
  setFixedSize(StoredClientWidth, StoredClientHeight);
  setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
  setMouseTracking(true);
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    move(screen->availableGeometry().center() - rect().center());
  CreateComponents();
  FormCreate();
}

TFormZelto::~TFormZelto() {
  // The library goes before the controls; they were registered with it and forget it.
  qApp->removeEventFilter(this);
}

TVexoButton* TFormZelto::MakeButton(const char* name, const char* imageName, int left, int top,
                                    int width, int height, int tag) {
  auto* button = new TVexoButton(this);
  button->setObjectName(QString::fromLatin1(name));
  button->setGeometry(left, top, width, height);
  button->SetImageName(imageName);
  button->Tag = tag;
  button->Version = 1;
  button->Toggles = false;
  button->SetChecked(false);
  button->SetFrameCount(3);
  // Stored disabled: its own flag is off while the widget stays enabled until SetEnabled
  // changes the flag, so a never-enabled button still takes (and ignores) its presses.
  return button;
}

void TFormZelto::CreateComponents() {
  BG = new TTileBG(this);
  BG->setObjectName(QStringLiteral("BG"));
  BG->setGeometry(0, 0, StoredClientWidth, StoredClientHeight);
  BG->SetImageName("tile");

  Frame = new QFrame(this);
  Frame->setObjectName(QStringLiteral("Frame"));
  Frame->setFrameStyle(QFrame::Box | QFrame::Sunken);
  Frame->setGeometry(16, 12, 485, 377);

  pbxBoard = new TPaintBox(this);
  pbxBoard->setObjectName(QStringLiteral("pbxBoard"));
  pbxBoard->setGeometry(37, 104, BoardPictureSize, BoardPictureSize);
  pbxBoard->OnMouseDown = [this](Qt::MouseButton b, int x, int y) { pbxBoardMouseDown(b, x, y); };
  pbxBoard->OnMouseMove = [this](int x, int y) { pbxBoardMouseMove(x, y); };
  pbxBoard->OnMouseUp = [this](Qt::MouseButton, int, int) { pbxBoardMouseUp(); };
  pbxBoard->OnPaint = [this](platform::Device& canvas) { pbxBoardPaint(canvas); };

  pbxBackBoard = new TPaintBox(this);
  pbxBackBoard->setObjectName(QStringLiteral("pbxBackBoard"));
  // Its own cursor, or it would show whatever the window shows at the moment.
  pbxBackBoard->setCursor(Qt::ArrowCursor);
  pbxBackBoard->setGeometry(273, 104, BoardPictureSize, BoardPictureSize);
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

  tmrZelto = new QTimer(this);
  tmrZelto->setObjectName(QStringLiteral("tmrZelto"));
  tmrZelto->setInterval(TimerInterval_);
  connect(tmrZelto, &QTimer::timeout, this, [this] { tmrZeltoTimer(); });

  // Key preview: the window sees every key meant for it or any of its children first.
  qApp->installEventFilter(this);
}

void TFormZelto::FormCreate() {
  try {
    connect(qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState s) {
      if (s == Qt::ApplicationActive) AppActivate();
    });
    if (Setup.Instance) {
      connect(Setup.Instance, &platform::QtInstanceGuard::MessageReceived, this,
              [this](quint16 message) { AppMessage(message); });
    }

    platform::LoadCursors();
    for (TVexoButton* button : {cmdStart, cmdExit, cmdColM, cmdColP, cmdRowM, cmdRowP})
      button->setCursor(platform::AppCursor(platform::HandCursor));

    // Larger than the client area and centred on it: the reference for re-centring, and out
    // of the way of the mouse.
    Frame->setGeometry(-20, -20, width() + 40, height() + 40);
    Frame->setEnabled(false);
    Frame->setAttribute(Qt::WA_TransparentForMouseEvents);

    Library_ = std::make_unique<TVX8Library>();
    Library_->OpenLibrary(Setup.DataDir + "zelto.vx8");
    TVexoButton::SetGlobalImageLibrary(Library_.get());
    TTileBG::SetGlobalImageLibrary(Library_.get());

    BG->OnAfterPaint = [this](platform::Device& canvas, const TRect& clip) {
      BGAfterPaint(canvas, clip);
    };
    Captions.Library = Library_.get();
    const auto background = [this](TVX8ImageData& surface, TPoint origin) {
      BG->PaintTo(surface, origin);
    };
    Captions.Background = background;
    Renderer.Background = background;

    Pictures.Take(*Library_);

    Model.SetCols(3);
    Model.SetRows(3);
    ExitButtonClick();
  } catch (const std::exception& error) {
    if (Setup.Boxes)
      Setup.Boxes->ShowMessage(Setup.Title + " encountered a problem on start-up: " + error.what());
    StartupFailed_ = true;
  }
}
