#include "platform/qt/AppCursors.h"

#include <QPixmap>
#include <map>

namespace platform {

namespace {

// The process-wide cursor table, as the window system keeps one per application.
std::map<int, QCursor>& Table() {
  static std::map<int, QCursor> table;
  return table;
}

const CursorResource* Find(std::span<const CursorResource> resources, int number) {
  for (const CursorResource& r : resources)
    if (r.Number == number) return &r;
  return nullptr;
}

}  // namespace

std::span<const CursorResource> CursorResources() {
  static const CursorResource resources[] = {
      {3000, QStringLiteral(":/zeltoria/cursors/hand.png"), QPoint(6, 1)},
      {3001, QStringLiteral(":/zeltoria/cursors/link.png"), QPoint(6, 1)},
  };
  return resources;
}

int LoadCursors(std::span<const CursorResource> resources) {
  int loaded = 0;
  for (int id = HandCursor; id <= LinkCursor; ++id) {
    const CursorResource* resource = Find(resources, 2999 + id);
    if (resource == nullptr) break;
    QPixmap image(resource->Path);
    if (image.isNull()) break;
    Table()[id] = QCursor(image, resource->HotSpot.x(), resource->HotSpot.y());
    ++loaded;
  }
  return loaded;
}

QCursor AppCursor(int id) {
  const auto it = Table().find(id);
  return it == Table().end() ? QCursor(Qt::ArrowCursor) : it->second;
}

bool HasAppCursor(int id) {
  return Table().contains(id);
}

void ClearAppCursors() {
  Table().clear();
}

}  // namespace platform
