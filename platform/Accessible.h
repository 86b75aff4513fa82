// What a window tells assistive technology: a tree of described parts (role, name, description,
// states, place, the press action), the changes to it, and polite announcements. The window
// layer fills it in; a host publishes it through its platform's accessibility interfaces.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "foundation/Geometry.h"

namespace platform {

enum class AccessibleRole : uint8_t { Window, Button, Label, Grid, Row, Cell, Image };

namespace AccessibleState {
constexpr unsigned Enabled = 1;
constexpr unsigned Pressed = 2;    // a button held down
constexpr unsigned Focusable = 4;  // in the keyboard's focus chain
constexpr unsigned Focused = 8;
}  // namespace AccessibleState

struct AccessibleNode {
  std::string Id;  // stable while the part exists; hosts key their objects by it
  AccessibleRole Role = AccessibleRole::Label;
  std::string Name;
  std::string Description;
  unsigned States = AccessibleState::Enabled;
  TRect Bounds;            // in client co-ordinates
  bool Pressable = false;  // offers the action "press", which does what a click does
  std::vector<AccessibleNode> Children;

  bool Has(unsigned state) const { return (States & state) == state; }
  friend bool operator==(const AccessibleNode&, const AccessibleNode&) = default;
};

enum class AccessibleChange : uint8_t { Name, Description, State, Bounds, Children, Focus };

struct AccessibleEvent {
  AccessibleChange Change;
  std::string Id;  // the part that changed; for Children, the parent whose children did

  friend bool operator==(const AccessibleEvent&, const AccessibleEvent&) = default;
};

// Depth-first, the node itself first; null when no node has the id.
const AccessibleNode* FindAccessible(const AccessibleNode& root, const std::string& id);

// The changes from `before` to `after`, parents before children.
std::vector<AccessibleEvent> AccessibleChanges(const AccessibleNode& before,
                                               const AccessibleNode& after);

}  // namespace platform
