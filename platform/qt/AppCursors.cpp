#include "platform/qt/AppCursors.h"

#include <QPixmap>
#include <map>

#include "platform/ResourceFacts.h"

namespace platform {

namespace {

// The process-wide cursor table, as the window system keeps one per application.
std::map<CursorId, QCursor>& Table() {
  static std::map<CursorId, QCursor> table;
  return table;
}

const CursorResource* Find(std::span<const CursorResource> resources, int number) {
  for (const CursorResource& r : resources)
    if (r.Number == number) return &r;
  return nullptr;
}

CursorResource FromFacts(const resources::Cursor& cursor) {
  return {cursor.Number, QString::fromLatin1(resources::QtPrefix) + QLatin1String(cursor.File),
          QPoint(cursor.HotX, cursor.HotY)};
}

}  // namespace

std::span<const CursorResource> CursorResources() {
  static const CursorResource table[] = {FromFacts(resources::HandCursor),
                                         FromFacts(resources::LinkCursor)};
  return table;
}

int LoadCursors(std::span<const CursorResource> resources) {
  int loaded = 0;
  for (const CursorId id : {CursorId::Hand, CursorId::Link}) {
    const CursorResource* resource = Find(resources, 2999 + int(id));
    if (resource == nullptr) break;
    QPixmap image(resource->Path);
    if (image.isNull()) break;
    Table()[id] = QCursor(image, resource->HotSpot.x(), resource->HotSpot.y());
    ++loaded;
  }
  return loaded;
}

QCursor AppCursor(CursorId id) {
  const auto it = Table().find(id);
  return it == Table().end() ? QCursor(Qt::ArrowCursor) : it->second;
}

bool HasAppCursor(CursorId id) {
  return Table().contains(id);
}

void ClearAppCursors() {
  Table().clear();
}

}  // namespace platform
