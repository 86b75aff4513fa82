// What a window tells assistive technology: a tree of described parts (role, name, description,
// states, place, the press action), the changes to it, and polite announcements. The window
// layer fills it in; a host publishes it through its platform's accessibility interfaces.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <utility>
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
  AccessibleEvent(AccessibleChange change, std::string id, unsigned states = 0,
                  std::vector<std::string> added = {}, std::vector<std::string> removed = {})
      : Change(change),
        Id(std::move(id)),
        States(states),
        Added(std::move(added)),
        Removed(std::move(removed)) {}

  AccessibleChange Change;
  std::string Id;  // the part that changed; for Children, the parent whose children did
  // State: the states that changed (AccessibleState bits; 0 when only the press action did).
  unsigned States = 0;
  // Children: the ids of the children that came, and of those that went.
  std::vector<std::string> Added;
  std::vector<std::string> Removed;

  friend bool operator==(const AccessibleEvent&, const AccessibleEvent&) = default;
};

// Depth-first, the node itself first; null when no node has the id.
const AccessibleNode* FindAccessible(const AccessibleNode& root, const std::string& id);

// A tree as a host publishes it: its parts by id, each with its parent, the part at a point and
// the part that has the focus. Hosts answer their platform's questions from it.
class AccessibleIndex {
 public:
  AccessibleIndex() = default;
  AccessibleIndex(const AccessibleIndex&) = delete;  // it points into its own tree
  AccessibleIndex& operator=(const AccessibleIndex&) = delete;

  void Reset(AccessibleNode tree);
  const AccessibleNode& Root() const { return Tree; }
  const AccessibleNode* Find(const std::string& id) const;
  // None for the root and for ids the tree lacks.
  const AccessibleNode* ParentOf(const std::string& id) const;
  // The deepest part under the client point within `node`; none when no part is there.
  static const AccessibleNode* PartAt(const AccessibleNode& node, TPoint p);
  // The part that has the keyboard focus; none when no part has it.
  const AccessibleNode* Focused() const;

 private:
  void Add(const AccessibleNode& node, const AccessibleNode* parent);

  AccessibleNode Tree;
  struct Entry {
    const AccessibleNode* Node;
    const AccessibleNode* Parent;
  };
  std::map<std::string, Entry> Parts;
};

// The changes from `before` to `after`, parents before children.
std::vector<AccessibleEvent> AccessibleChanges(const AccessibleNode& before,
                                               const AccessibleNode& after);

}  // namespace platform
