// Which resource shows each of the window's cursors: custom cursor i of the application's
// cursor table is the cursor resource 2999 + i.
#pragma once

#include <initializer_list>

#include "platform/ResourceFacts.h"
#include "platform/Window.h"

namespace platform {

constexpr int CursorResourceNumber(CursorId cursor) {
  return 2999 + int(cursor);
}

// The picture and hot spot of a custom cursor; none for the system's arrow.
constexpr const resources::Cursor* CursorResourceOf(CursorId cursor) {
  for (const resources::Cursor* c : {&resources::HandCursor, &resources::LinkCursor})
    if (cursor != CursorId::Default && c->Number == CursorResourceNumber(cursor)) return c;
  return nullptr;
}

}  // namespace platform
