#include "tools/zeltoria-lab/ShotActions.h"

#include <algorithm>
#include <charconv>

namespace {

template <class Number>
std::optional<Number> Decimal(std::string_view text) {
  Number value{};
  const char* end = text.data() + text.size();
  const auto [stop, fault] = std::from_chars(text.data(), end, value);
  if (text.empty() || fault != std::errc() || stop != end) return std::nullopt;
  return value;
}

std::optional<std::pair<int, int>> Pair(std::string_view text) {
  const size_t comma = text.find(',');
  if (comma == std::string_view::npos) return std::nullopt;
  const auto x = Decimal<int>(text.substr(0, comma));
  const auto y = Decimal<int>(text.substr(comma + 1));
  if (!x || !y) return std::nullopt;
  return std::pair{*x, *y};
}

std::optional<TShotAction> Action(const std::string& arg) {
  const size_t equals = arg.find('=');
  const std::string_view name = std::string_view(arg).substr(0, equals);
  const std::string_view value =
      equals == std::string::npos ? std::string_view() : std::string_view(arg).substr(equals + 1);
  const bool hasValue = equals != std::string::npos;
  TShotAction action;

  if (!hasValue) {
    if (name == "keyup")
      action.What = TShotAction::KeyUp;
    else if (name == "tick")
      action.What = TShotAction::Tick;
    else if (name == "run")
      action.What = TShotAction::Run;
    else if (name == "about")
      action.What = TShotAction::About;
    else if (name == "tab" || name == "backtab" || name == "enter") {
      action.What = TShotAction::Focus;
      action.FocusKey = name == "tab"       ? platform::FocusKey::Next
                        : name == "backtab" ? platform::FocusKey::Previous
                                            : platform::FocusKey::Press;
    } else
      return std::nullopt;
    return action;
  }
  if (name == "act" && !value.empty()) {
    action.What = TShotAction::Act;
    action.Part = std::string(value);
    return action;
  }
  if (name == "tick") {
    const auto count = Decimal<int>(value);
    if (!count || *count < 0) return std::nullopt;
    action.What = TShotAction::Tick;
    action.Count = *count;
    return action;
  }
  if (name == "key") {
    if (value.size() != 1 || static_cast<unsigned char>(value[0]) < 0x20 ||
        static_cast<unsigned char>(value[0]) > 0x7E)
      return std::nullopt;
    action.What = TShotAction::Key;
    action.Character = value[0];
    return action;
  }
  const auto point = Pair(value);
  if (!point) return std::nullopt;
  action.X = point->first;
  action.Y = point->second;
  if (name == "click")
    action.What = TShotAction::Click;
  else if (name == "press")
    action.What = TShotAction::Press;
  else if (name == "move")
    action.What = TShotAction::Move;
  else if (name == "release")
    action.What = TShotAction::Release;
  else if (name == "resize" && action.X > 0 && action.Y > 0)
    action.What = TShotAction::Resize;
  else
    return std::nullopt;
  return action;
}

}  // namespace

std::optional<TShotPlan> ParseShot(const std::vector<std::string>& args, std::string& error) {
  if (args.empty()) {
    error = "no output file";
    return std::nullopt;
  }
  TShotPlan plan;
  plan.Output = args[0];
  for (size_t i = 1; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg.starts_with("seed=")) {
      const auto seed = Decimal<uint32_t>(std::string_view(arg).substr(5));
      if (i != 1 || !seed) {
        error = i != 1 ? "seed=N must come first: the seed deals the window's first puzzle"
                       : "bad seed '" + arg + "'";
        return std::nullopt;
      }
      plan.Seed = *seed;
      continue;
    }
    if (arg.starts_with("lang=")) {
      const std::string code = arg.substr(5);
      const auto& shipped = language::ShippedCatalogues();
      const auto found = std::find_if(shipped.begin(), shipped.end(), [&](const auto& catalogue) {
        return catalogue.Code == code;
      });
      if (!plan.Actions.empty() || (found == shipped.end() && code != "en")) {
        error = !plan.Actions.empty() ? "lang=LL must come before the actions"
                                      : "no catalogue for the language '" + code + "'";
        return std::nullopt;
      }
      plan.Language = found == shipped.end() ? language::TLanguage() : language::TLanguage(*found);
      continue;
    }
    const auto action = Action(arg);
    if (!action) {
      error = "bad action '" + arg + "'";
      return std::nullopt;
    }
    plan.Actions.push_back(*action);
  }
  return plan;
}
