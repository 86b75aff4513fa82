#include "tools/zeltoria-lab/TreeText.h"

namespace {

using platform::AccessibleNode;
using platform::AccessibleRole;

const char* RoleName(AccessibleRole role) {
  switch (role) {
    case AccessibleRole::Window:
      return "window";
    case AccessibleRole::Button:
      return "button";
    case AccessibleRole::Label:
      return "label";
    case AccessibleRole::Grid:
      return "grid";
    case AccessibleRole::Row:
      return "row";
    case AccessibleRole::Cell:
      return "cell";
    case AccessibleRole::Image:
      break;
  }
  return "image";
}

void Write(const AccessibleNode& node, int depth, std::string& text) {
  namespace State = platform::AccessibleState;
  text.append(static_cast<size_t>(2 * depth), ' ');
  text += std::string(RoleName(node.Role)) + " \"" + node.Name + "\"";
  if (!node.Description.empty()) text += ": " + node.Description;
  if (node.Pressable || node.Has(State::Focused)) {
    std::string states = node.Has(State::Enabled) ? "enabled" : "disabled";
    if (node.Has(State::Pressed)) states += " pressed";
    if (node.Has(State::Focused)) states += " focused";
    text += " [" + states + "]";
  }
  text += '\n';
  for (const AccessibleNode& child : node.Children) Write(child, depth + 1, text);
}

}  // namespace

std::string AccessibleText(const AccessibleNode& root) {
  std::string text;
  Write(root, 0, text);
  return text;
}
