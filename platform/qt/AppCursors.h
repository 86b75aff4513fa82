// The application's table of custom cursors: cursor 1, the hand over everything clickable, and
// cursor 2, the link cursor, loaded from images compiled into the program as Qt resources.
#pragma once

#include <QCursor>
#include <QPoint>
#include <QString>
#include <span>

#include "platform/Window.h"

namespace platform {

// A cursor resource of the executable: its number, the Qt resource path of its image and
// its hot spot in image pixels.
struct CursorResource {
  int Number = 0;
  QString Path;
  QPoint HotSpot;
};

// The executable's cursor resources 3000 (the hand) and 3001 (the link).
std::span<const CursorResource> CursorResources();

// Cursor i (i = 1, 2) becomes the resource numbered 2999 + i. The first one that is missing or
// does not load stops the loading silently; the cursors not loaded keep the default.
// Returns the number of cursors loaded.
int LoadCursors(std::span<const CursorResource> resources = CursorResources());

// The cursor stored under `id`, or the default arrow when none is (always for Default). The
// first request of a custom cursor loads the table from CursorResources() when LoadCursors has
// not filled it.
QCursor AppCursor(CursorId id);
bool HasAppCursor(CursorId id);

// Forgets every custom cursor (the table is process-wide), as if none had been loaded yet.
void ClearAppCursors();

}  // namespace platform
