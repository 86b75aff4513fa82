#include "tools/zeltoria-lab/ShotPlayer.h"

#include <string>

namespace {

// Plain string building, no streams: the page's module carries this, and streams would bring
// the whole of the C++ locale machinery into it.
void PrintCells(const TCells& cells, const TBoardModel& model, std::string& out) {
  constexpr char hex[] = "0123456789abcdef";
  for (int32_t r = 1; r <= model.Rows; ++r) {
    for (int32_t c = 1; c <= model.Cols; ++c) {
      if (c > 1) out += ' ';
      out += hex[cells(c, r) >> 4];
      out += hex[cells(c, r) & 0x0F];
    }
    out += '\n';
  }
}

}  // namespace

TShotPlayer::TShotPlayer(const std::string& dataDir, uint32_t seed)
    : Random_(seed), Host(TFormZelto::StoredClientWidth, TFormZelto::StoredClientHeight) {
  TFormZeltoSetup setup;
  setup.DataDir = dataDir;
  setup.AboutWhenShown = false;
  Form = std::make_unique<TFormZelto>(Host, Random_, setup);
  Host.SetClient(Form.get());
  if (!Form->StartupFailed()) Host.Show();
}

TShotPlayer::~TShotPlayer() {
  Host.SetClient(nullptr);
}

void TShotPlayer::Ticks(int count) {
  for (int i = 0; i < count && Host.Tick(); ++i) Host.Flush();
}

void TShotPlayer::Play(const TShotAction& action) {
  using platform::MouseButton;
  platform::WindowClient& window = *Form;
  switch (action.What) {
    case TShotAction::Click:
      window.MouseDown(MouseButton::Left, action.X, action.Y);
      Host.Flush();
      window.MouseUp(MouseButton::Left, action.X, action.Y);
      break;
    case TShotAction::Press:
      window.MouseDown(MouseButton::Left, action.X, action.Y);
      break;
    case TShotAction::Move:
      window.MouseMove(action.X, action.Y);
      break;
    case TShotAction::Release:
      window.MouseUp(MouseButton::Left, action.X, action.Y);
      break;
    case TShotAction::Key:
      LastKey = action.Character;
      window.KeyPress(char32_t(static_cast<unsigned char>(LastKey)));
      break;
    case TShotAction::KeyUp:
      window.KeyUp();
      break;
    case TShotAction::Tick:
      Ticks(action.Count);
      break;
    case TShotAction::Run:
      Ticks(MaxRunTicks);
      break;
    case TShotAction::Resize:
      Host.Resize(action.X, action.Y);
      break;
    case TShotAction::About:
      break;
  }
  Host.Flush();
}

std::string ShotText(const TBoardModel& model) {
  std::string out;
  PrintCells(model.Board, model, out);
  out += '\n';
  PrintCells(model.BackBoard, model, out);
  out += "playing=" + std::to_string(int(model.Playing)) +
         " shuffle=" + std::to_string(model.ShuffleCount) +
         " move=" + std::to_string(model.MoveIndex) +
         " solved=" + std::to_string(int(model.Solved)) + '\n';
  return out;
}
