#include "platform/MemoryHost.h"

#include <vector>

namespace platform {

MemoryHost::MemoryHost(int width, int height, PixelOrder order)
    : Device(width, height, 0xFF000000u, order) {}

void MemoryHost::Show() {
  if (Shown) return;
  Shown = true;
  Invalidate({0, 0, Device.Width(), Device.Height()});
  Flush();
  if (Client) Client->Shown();
  Flush();
}

// Pending keeps an area that is already pending only once, so that what overlaps is not
// painted twice: only the parts of `area` not yet pending are added.
void MemoryHost::Invalidate(const TRect& area) {
  const TRect inside = Intersection(area, {0, 0, Device.Width(), Device.Height()});
  if (inside.IsEmpty()) return;
  std::erase_if(Pending,
                [&](const TRect& pending) { return Intersection(inside, pending) == pending; });
  std::vector<TRect> pieces{inside};
  for (const TRect& pending : Pending) {
    std::vector<TRect> rest;
    for (const TRect& piece : pieces) SubtractRect(piece, pending, rest);
    pieces.swap(rest);
    if (pieces.empty()) return;
  }
  Pending.insert(Pending.end(), pieces.begin(), pieces.end());
}

void MemoryHost::PaintPending(const TRect& except) {
  std::vector<TRect> rest;
  for (const TRect& r : Pending) SubtractRect(r, except, rest);
  Pending.clear();
  if (rest.empty() || !Client) return;
  Device.SetClipRegion(rest);
  Client->Paint(Device);
  Device.ResetClip();
  Painted(BoundingRect(rest));
}

void MemoryHost::Flush() {
  if (Shown) PaintPending({});
}

void MemoryHost::PaintNow(const TRect& area, const PaintFunction& paint) {
  if (!Shown) return;
  PaintPending(area);
  const TRect inside = Intersection(area, {0, 0, Device.Width(), Device.Height()});
  if (inside.IsEmpty()) return;
  Device.SetClipBox(inside);
  paint(Device);
  Device.ResetClip();
  Painted(inside);
}

void MemoryHost::Resize(int width, int height) {
  if (width == Device.Width() && height == Device.Height()) return;
  // A new client area starts black and is painted whole.
  Device = MemoryDevice(width, height, 0xFF000000u, Device.Order());
  Pending.clear();
  Invalidate({0, 0, width, height});
  if (Client) Client->Resized({width, height});
  Flush();
}

bool MemoryHost::Tick() {
  if (!TimerRunning_ || !Client) return false;
  Client->TimerTick();
  return true;
}

void MemoryHost::StartTimer(int) {
  TimerRunning_ = true;
}

void MemoryHost::Painted(const TRect&) {}

int MemoryHost::RealizePalette(const LogicalPalette&) {
  return 0;
}

}  // namespace platform
