#include "platform/Accessible.h"

#include <utility>

namespace platform {

const AccessibleNode* FindAccessible(const AccessibleNode& root, const std::string& id) {
  if (root.Id == id) return &root;
  for (const AccessibleNode& child : root.Children)
    if (const AccessibleNode* found = FindAccessible(child, id)) return found;
  return nullptr;
}

namespace {

bool SameChildren(const AccessibleNode& a, const AccessibleNode& b) {
  if (a.Children.size() != b.Children.size()) return false;
  for (size_t i = 0; i < a.Children.size(); ++i)
    if (a.Children[i].Id != b.Children[i].Id) return false;
  return true;
}

// The ids of `from`'s children that `other` lacks.
std::vector<std::string> ChildrenNotIn(const AccessibleNode& from, const AccessibleNode& other) {
  std::vector<std::string> ids;
  for (const AccessibleNode& child : from.Children) {
    bool found = false;
    for (const AccessibleNode& kept : other.Children) found = found || kept.Id == child.Id;
    if (!found) ids.push_back(child.Id);
  }
  return ids;
}

AccessibleEvent ChildrenChanged(const AccessibleNode& before, const AccessibleNode& after) {
  return {AccessibleChange::Children, after.Id, 0, ChildrenNotIn(after, before),
          ChildrenNotIn(before, after)};
}

void Compare(const AccessibleNode& before, const AccessibleNode& after,
             std::vector<AccessibleEvent>& events) {
  if (before.Name != after.Name) events.push_back({AccessibleChange::Name, after.Id});
  if (before.Description != after.Description)
    events.push_back({AccessibleChange::Description, after.Id});
  if (before.Bounds != after.Bounds) events.push_back({AccessibleChange::Bounds, after.Id});
  const unsigned focus = AccessibleState::Focused;
  const unsigned changed = (before.States ^ after.States) & ~focus;
  if (changed != 0 || before.Pressable != after.Pressable)
    events.push_back({AccessibleChange::State, after.Id, changed});
  if (after.Has(focus) && !before.Has(focus)) events.push_back({AccessibleChange::Focus, after.Id});
  if (!SameChildren(before, after)) {
    events.push_back(ChildrenChanged(before, after));
    return;  // new children are read whole
  }
  for (size_t i = 0; i < after.Children.size(); ++i)
    Compare(before.Children[i], after.Children[i], events);
}

}  // namespace

std::vector<AccessibleEvent> AccessibleChanges(const AccessibleNode& before,
                                               const AccessibleNode& after) {
  std::vector<AccessibleEvent> events;
  if (before.Id != after.Id) {
    AccessibleNode gone;
    gone.Children.push_back(before);
    AccessibleNode came;
    came.Children.push_back(after);
    events.push_back(ChildrenChanged(gone, came));
    return events;
  }
  Compare(before, after, events);
  return events;
}

void AccessibleIndex::Reset(AccessibleNode tree) {
  Tree = std::move(tree);
  Parts.clear();
  Add(Tree, nullptr);
}

void AccessibleIndex::Add(const AccessibleNode& node, const AccessibleNode* parent) {
  Parts[node.Id] = {&node, parent};
  for (const AccessibleNode& child : node.Children) Add(child, &node);
}

const AccessibleNode* AccessibleIndex::Find(const std::string& id) const {
  const auto it = Parts.find(id);
  return it == Parts.end() ? nullptr : it->second.Node;
}

const AccessibleNode* AccessibleIndex::ParentOf(const std::string& id) const {
  const auto it = Parts.find(id);
  return it == Parts.end() ? nullptr : it->second.Parent;
}

const AccessibleNode* AccessibleIndex::PartAt(const AccessibleNode& node, TPoint p) {
  for (const AccessibleNode& child : node.Children) {
    if (child.Bounds.Contains(p)) {
      const AccessibleNode* inner = PartAt(child, p);
      return inner ? inner : &child;
    }
  }
  return nullptr;
}

const AccessibleNode* AccessibleIndex::Focused() const {
  for (const auto& [id, entry] : Parts)
    if (entry.Parent && entry.Node->Has(AccessibleState::Focused)) return entry.Node;
  return nullptr;
}

}  // namespace platform
