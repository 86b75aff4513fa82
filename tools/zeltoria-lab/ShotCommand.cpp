// zeltoria-lab shot OUT.png [ACTION ...]. The timer runs only by hand here (tick, run), so the
// same seed and actions always give the same picture. The seed is set before the window
// deals its first puzzle and is never taken from the clock: the about dialog, made only for
// `about`, takes the generator's current state as its seed and the state is put back after,
// so asking for it changes nothing else. A click on the title opens no dialog here.
#include "tools/zeltoria-lab/ShotCommand.h"

#include <QApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <QTest>
#include <QWindow>
#include <memory>
#include <ostream>

#include "about/DlgAbout.h"
#include "game/FormZelto.h"
#include "game/Random.h"
#include "platform/qt/QtFileSystem.h"
#include "tools/zeltoria-lab/LabCommand.h"
#include "tools/zeltoria-lab/ShotActions.h"

namespace {

// The start-up's message goes to the error stream.
class TStreamBoxes : public platform::MessageBoxes {
 public:
  explicit TStreamBoxes(std::ostream& err) : Err(err) {}
  void ShowError(const std::string& text) override { Err << text << '\n'; }
  bool AskWarningYesNo(const std::string& text) override {
    Err << text << '\n';
    return false;
  }
  void ShowMessage(const std::string& text) override { Err << text << '\n'; }

 private:
  std::ostream& Err;
};

void PrintCells(const TCells& cells, const TBoardModel& model, std::ostream& out) {
  constexpr char hex[] = "0123456789abcdef";
  for (int32_t r = 1; r <= model.Rows; ++r) {
    for (int32_t c = 1; c <= model.Cols; ++c) {
      if (c > 1) out << ' ';
      out << hex[cells(c, r) >> 4] << hex[cells(c, r) & 0x0F];
    }
    out << '\n';
  }
}

// What is on the screen, as the window system keeps it: pictures shown at once (a move's
// frames) stay there until the next painting.
QImage Photograph(QWidget& widget) {
  QApplication::processEvents();
  if (QScreen* screen = widget.screen()) {
    const QImage shot = screen->grabWindow(widget.winId()).toImage();
    if (shot.size() == widget.size()) return shot;
  }
  return widget.grab().toImage();
}

class TShotRun {
 public:
  TShotRun(TFormZelto& form, std::ostream& err) : Form(form), Err(err) {}

  void Play(const TShotAction& action) {
    QWindow* window = Form.windowHandle();
    const QPoint at(action.X, action.Y);
    switch (action.What) {
      case TShotAction::Click:
        QTest::mouseClick(window, Qt::LeftButton, {}, at);
        break;
      case TShotAction::Press:
        QTest::mousePress(window, Qt::LeftButton, {}, at);
        break;
      case TShotAction::Move:
        QTest::mouseMove(window, at);
        break;
      case TShotAction::Release:
        QTest::mouseRelease(window, Qt::LeftButton, {}, at);
        break;
      case TShotAction::Key:
        LastKey = action.Character;
        QTest::keyPress(window, LastKey);
        break;
      case TShotAction::KeyUp:
        QTest::keyRelease(window, LastKey);
        break;
      case TShotAction::Tick:
        Ticks(action.Count);
        break;
      case TShotAction::Run:
        Ticks(MaxRunTicks);
        break;
      case TShotAction::Resize:
        Form.setFixedSize(action.X, action.Y);
        QApplication::processEvents();
        break;
      case TShotAction::About:
        ShowAbout();
        break;
    }
  }

  QWidget& Subject() { return About ? static_cast<QWidget&>(*About) : Form; }

 private:
  // Ticks arrive only while the timer runs.
  void Ticks(int count) {
    for (int i = 0; i < count && Form.TimerEnabled(); ++i) Form.tmrZeltoTimer();
  }

  void ShowAbout() {
    if (About) return;
    const uint32_t seed = RandomSeed;
    TAboutServices services = TAboutServices::Default();
    services.OpenLink = [](const QString&) {};
    services.SeedSource = [seed] { return seed; };
    About = std::make_unique<TDlgAbout>(nullptr, services);
    RandomSeed = seed;
    About->show();
    if (!QTest::qWaitForWindowExposed(About.get())) Err << "the about dialog did not appear\n";
  }

  TFormZelto& Form;
  std::ostream& Err;
  char LastKey = ' ';
  std::unique_ptr<TDlgAbout> About;
};

std::string FolderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string("./") : path.substr(0, slash + 1);
}

int RunShotCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  return RunShot(args, out, err, FolderOf(platform::QtFileSystem().ExecutablePath()));
}

}  // namespace

int RunShot(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
            const std::string& dataDir) {
  std::string fault;
  const auto plan = ParseShot(args, fault);
  if (!plan) {
    err << "zeltoria-lab shot: " << fault << '\n';
    return UsageExit;
  }

  std::unique_ptr<QApplication> application;
  if (!QApplication::instance()) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "zeltoria-lab";
    static char* argv[] = {name, nullptr};
    application = std::make_unique<QApplication>(argc, argv);
  }

  RandomSeed = plan->Seed;
  TStreamBoxes boxes(err);
  TFormZeltoSetup setup;
  setup.DataDir = dataDir;
  setup.Boxes = &boxes;
  setup.AboutWhenShown = false;
  setup.ManualTimer = true;
  TFormZelto form(setup);
  if (form.StartupFailed()) return 1;
  form.show();
  if (!QTest::qWaitForWindowExposed(&form)) {
    err << "zeltoria-lab shot: the window did not appear\n";
    return 1;
  }

  TShotRun run(form, err);
  for (const TShotAction& action : plan->Actions) run.Play(action);

  const QImage shot = Photograph(run.Subject());
  if (!shot.save(QString::fromStdString(plan->Output), "PNG")) {
    err << "zeltoria-lab shot: cannot write " << plan->Output << '\n';
    return 1;
  }

  const TBoardModel& model = form.Model;
  PrintCells(model.Board, model, out);
  out << '\n';
  PrintCells(model.BackBoard, model, out);
  out << "playing=" << int(model.Playing) << " shuffle=" << model.ShuffleCount
      << " move=" << model.MoveIndex << " solved=" << int(model.Solved) << '\n';
  return 0;
}

const TLabCommand ShotCommand{
    "shot",
    "OUT.png [seed=N] [click=X,Y | press=X,Y | move=X,Y | release=X,Y | key=C | keyup | tick | "
    "tick=N | run | resize=W,H | about]...",
    RunShotCommand};
