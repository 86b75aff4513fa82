#include "platform/Accessible.h"

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

void Compare(const AccessibleNode& before, const AccessibleNode& after,
             std::vector<AccessibleEvent>& events) {
  if (before.Name != after.Name) events.push_back({AccessibleChange::Name, after.Id});
  if (before.Description != after.Description)
    events.push_back({AccessibleChange::Description, after.Id});
  if (before.Bounds != after.Bounds) events.push_back({AccessibleChange::Bounds, after.Id});
  const unsigned focus = AccessibleState::Focused;
  if ((before.States & ~focus) != (after.States & ~focus) || before.Pressable != after.Pressable)
    events.push_back({AccessibleChange::State, after.Id});
  if (after.Has(focus) && !before.Has(focus)) events.push_back({AccessibleChange::Focus, after.Id});
  if (!SameChildren(before, after)) {
    events.push_back({AccessibleChange::Children, after.Id});
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
    events.push_back({AccessibleChange::Children, after.Id});
    return events;
  }
  Compare(before, after, events);
  return events;
}

}  // namespace platform
