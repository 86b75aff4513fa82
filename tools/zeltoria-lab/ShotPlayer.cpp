#include "tools/zeltoria-lab/ShotPlayer.h"

#include <string>

#include "tools/zeltoria-lab/HeadlessBoard.h"

TShotPlayer::TShotPlayer(const std::string& dataDir, uint32_t seed, language::TLanguage words)
    : Random_(seed), Host_(TFormZelto::StoredClientWidth, TFormZelto::StoredClientHeight) {
  TFormZeltoSetup setup;
  setup.DataDir = language::LanguageFolder(dataDir, words, '/');
  setup.Language = words;
  setup.AboutWhenShown = false;
  Form = std::make_unique<TFormZelto>(Host_, Random_, setup);
  Host_.SetClient(Form.get());
  if (!Form->StartupFailed()) Host_.Show();
}

TShotPlayer::~TShotPlayer() {
  Host_.SetClient(nullptr);
}

void TShotPlayer::Ticks(int count) {
  for (int i = 0; i < count && Host_.Tick(); ++i) Host_.Flush();
}

void TShotPlayer::Play(const TShotAction& action) {
  using platform::MouseButton;
  platform::WindowClient& window = *Form;
  switch (action.What) {
    case TShotAction::Click:
      window.MouseDown(MouseButton::Left, action.X, action.Y);
      Host_.Flush();
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
      window.KeyPress(char32_t(static_cast<unsigned char>(action.Character)));
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
      Host_.Resize(action.X, action.Y);
      break;
    case TShotAction::Focus:
      window.FocusKeyPress(action.FocusKey);
      break;
    case TShotAction::Act:
      window.AccessiblePress(action.Part);
      break;
    case TShotAction::About:
      break;
  }
  Host_.Flush();
}

std::string ShotText(const TBoardState& model) {
  return CellsText(model.Board, model) + '\n' + CellsText(model.BackBoard, model) +
         "playing=" + std::to_string(int(model.Playing)) +
         " shuffle=" + std::to_string(model.ShuffleCount) +
         " move=" + std::to_string(model.MoveIndex) +
         " solved=" + std::to_string(int(model.Solved)) + '\n';
}
