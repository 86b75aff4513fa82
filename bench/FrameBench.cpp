// The time to compose and show one frame of a sliding move: the frame with its ShowSurface into
// a memory device, the composing alone, the same through the real main window on its Qt host on
// the offscreen platform, and beside them the repaint of an empty Qt widget of that size; and the
// whole window painted at once, as its first frame is, beside an empty window.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "bench/BenchLibrary.h"
#include "game/FormZelto.h"
#include "game/SurfaceDisplay.h"
#include "platform/MemoryDevice.h"
#include "platform/MemoryHost.h"
#include "platform/MessageBoxes.h"
#include "platform/qt/QtWindowHost.h"
#include "tools/zeltoria-lab/HeadlessBoard.h"

namespace {

class TNoBoxes : public platform::MessageBoxes {
 public:
  void ShowError(const std::string&) override {}
  bool AskWarningYesNo(const std::string&) override { return false; }
  void ShowMessage(const std::string&) override {}
};

// The window's own library, a 5 × 5 game ready to move, and the move of row 3 to the right;
// the window on a memory host, or on its Qt host. The frames are drawn by a renderer of the
// rig's own over the window's library file, shown on the window.
struct TFrameRig {
  QTemporaryDir Folder;
  TRandom Random{1};
  TNoBoxes Boxes;
  std::unique_ptr<platform::WindowHost> Host;
  std::unique_ptr<TFormZelto> Form;
  TVX8Library Library;
  TBoardPictures Pictures;
  std::unique_ptr<TBoardRenderer> Renderer;
  TBoardState State;

  explicit TFrameRig(bool qt) {
    const std::string dir = Folder.path().toStdString() + "/";
    benchlib::WriteWindowLibrary(dir);
    TFormZeltoSetup setup;
    setup.DataDir = dir;
    setup.AboutWhenShown = false;
    if (qt) {
      Host = std::make_unique<platform::QtWindowHost>(
          platform::ClientSize{TFormZelto::StoredClientWidth, TFormZelto::StoredClientHeight},
          QStringLiteral("Zeltoria"), Boxes);
    } else {
      Host = std::make_unique<platform::MemoryHost>(TFormZelto::StoredClientWidth,
                                                    TFormZelto::StoredClientHeight);
    }
    Form = std::make_unique<TFormZelto>(*Host, Random, setup);

    THeadlessBoard board;
    board.Random.Seed = 1;
    TBoardModel& m = board.Model;
    m.ColRowButtonClick(3);
    m.ColRowButtonClick(3);
    m.ColRowButtonClick(4);
    m.ColRowButtonClick(4);
    m.Start();
    while (board.Window.TimerOn) m.TimerTick();
    m.StartMove({TAxis::Row, 8});
    State = m.State();

    Library.OpenLibrary(dir + "zelto.vx8");
    Pictures.Take(Library);
    Renderer = std::make_unique<TBoardRenderer>(Pictures, Form.get());
    Renderer->DrawBoard(State, true);
  }
  void NextStep() { State.MoveStep = State.MoveStep % 3 + 1; }
};

void DrawMoveFrameToMemoryDevice(benchmark::State& state) {
  TFrameRig rig(false);
  platform::MemoryDevice device(208, 208);
  for (auto _ : state) {
    rig.NextStep();
    rig.Renderer->ComposeMoveFrame(
        rig.State, [&](TVX8ImageData& frame) { ShowSurface(&rig.Library, &device, &frame); });
    benchmark::DoNotOptimize(device.Pixel(100, 100));
  }
}
BENCHMARK(DrawMoveFrameToMemoryDevice);

// The composing alone: the scratch picture, the board copied onto it and the two strips.
void DrawMoveFrameComposeOnly(benchmark::State& state) {
  TFrameRig rig(false);
  for (auto _ : state) {
    rig.NextStep();
    rig.Renderer->ComposeMoveFrame(rig.State,
                                   [](TVX8ImageData& frame) { benchmark::DoNotOptimize(&frame); });
  }
}
BENCHMARK(DrawMoveFrameComposeOnly);

void DrawMoveFrameThroughTheWindow(benchmark::State& state) {
  TFrameRig rig(true);
  auto& window = static_cast<platform::QtWindowHost&>(*rig.Host);
  window.SetClient(rig.Form.get());
  window.show();
  if (!QTest::qWaitForWindowExposed(&window)) state.SkipWithError("no window");
  for (auto _ : state) {
    rig.NextStep();
    rig.Renderer->DrawMoveFrame(rig.State);
  }
  window.SetClient(nullptr);
}
BENCHMARK(DrawMoveFrameThroughTheWindow);

// A widget that paints nothing.
class TEmptyBox : public QWidget {
 public:
  using QWidget::QWidget;

 protected:
  void paintEvent(QPaintEvent*) override {}
};

// The whole client area painted at once, as the window's first frame is, beside an empty window
// of its size.
void RepaintTheWholeWindow(benchmark::State& state) {
  TFrameRig rig(true);
  auto& window = static_cast<platform::QtWindowHost&>(*rig.Host);
  window.SetClient(rig.Form.get());
  window.show();
  if (!QTest::qWaitForWindowExposed(&window)) state.SkipWithError("no window");
  for (auto _ : state) window.repaint();
  window.SetClient(nullptr);
}
BENCHMARK(RepaintTheWholeWindow);

void RepaintAnEmptyWindow(benchmark::State& state) {
  TEmptyBox window;
  window.setFixedSize(TFormZelto::StoredClientWidth, TFormZelto::StoredClientHeight);
  window.show();
  if (!QTest::qWaitForWindowExposed(&window)) state.SkipWithError("no window");
  for (auto _ : state) window.repaint();
}
BENCHMARK(RepaintAnEmptyWindow);

// A plain widget of the board's size in a window of the main window's size, repainted at once
// the way the board is.
void RepaintAnEmptyWidget(benchmark::State& state) {
  QWidget window;
  window.setFixedSize(517, 403);
  auto* box = new TEmptyBox(&window);
  box->setGeometry(37, 104, 208, 208);
  box->setAttribute(Qt::WA_OpaquePaintEvent);
  window.show();
  if (!QTest::qWaitForWindowExposed(&window)) state.SkipWithError("no window");
  for (auto _ : state) box->repaint();
}
BENCHMARK(RepaintAnEmptyWidget);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  int qtArgc = 1;
  QApplication application(qtArgc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
