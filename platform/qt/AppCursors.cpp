#include "platform/qt/AppCursors.h"

#include <QPixmap>
#include <map>

#include "platform/Cursors.h"
#include "platform/ResourceFacts.h"

namespace platform {

namespace {

// The process-wide cursor table, as the window system keeps one per application. It is filled
// from the resources when a cursor is first asked for, unless LoadCursors filled it before:
// reading the images at start-up would only delay the window's first frame.
struct CursorTable {
  std::map<CursorId, QCursor> Cursors;
  bool Filled = false;
};

CursorTable& Table() {
  static CursorTable table;
  return table;
}

CursorTable& FilledTable() {
  if (!Table().Filled) LoadCursors();
  return Table();
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
  Table().Filled = true;
  int loaded = 0;
  for (const CursorId id : {CursorId::Hand, CursorId::Link}) {
    const CursorResource* resource = Find(resources, CursorResourceNumber(id));
    if (resource == nullptr) break;
    QPixmap image(resource->Path);
    if (image.isNull()) break;
    Table().Cursors[id] = QCursor(image, resource->HotSpot.x(), resource->HotSpot.y());
    ++loaded;
  }
  return loaded;
}

QCursor AppCursor(CursorId id) {
  if (id == CursorId::Default) return QCursor(Qt::ArrowCursor);
  const auto& cursors = FilledTable().Cursors;
  const auto it = cursors.find(id);
  return it == cursors.end() ? QCursor(Qt::ArrowCursor) : it->second;
}

bool HasAppCursor(CursorId id) {
  return id != CursorId::Default && FilledTable().Cursors.contains(id);
}

void ClearAppCursors() {
  Table().Cursors.clear();
  Table().Filled = false;
}

}  // namespace platform
