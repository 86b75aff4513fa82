#include "ui/MemoryHost.h"

namespace ui {

TMemoryHost::TMemoryHost(int width, int height) : Device(width, height) {}

void TMemoryHost::Show() {
  if (Shown) return;
  Shown = true;
  Invalidate({0, 0, Device.Width(), Device.Height()});
  Flush();
  if (Client) Client->Shown();
  Flush();
}

void TMemoryHost::Invalidate(const TRect& area) {
  const TRect inside = Intersection(area, {0, 0, Device.Width(), Device.Height()});
  if (!inside.IsEmpty()) Pending.push_back(inside);
}

void TMemoryHost::PaintPending(const TRect& except) {
  std::vector<TRect> rest;
  for (const TRect& r : Pending) SubtractRect(r, except, rest);
  Pending.clear();
  if (rest.empty() || !Client) return;
  Device.SetClipRegion(rest);
  Client->Paint(Device);
  Device.ResetClip();
}

void TMemoryHost::Flush() {
  if (Shown) PaintPending({});
}

void TMemoryHost::PaintNow(const TRect& area, const platform::PaintFunction& paint) {
  if (!Shown) return;
  PaintPending(area);
  const TRect inside = Intersection(area, {0, 0, Device.Width(), Device.Height()});
  if (inside.IsEmpty()) return;
  Device.SetClipBox(inside);
  paint(Device);
  Device.ResetClip();
}

void TMemoryHost::Resize(int width, int height) {
  if (width == Device.Width() && height == Device.Height()) return;
  // A new client area starts black and is painted whole.
  Device = platform::MemoryDevice(width, height);
  Pending.clear();
  Invalidate({0, 0, width, height});
  if (Client) Client->Resized({width, height});
  Flush();
}

bool TMemoryHost::Tick() {
  if (!TimerRunning_ || !Client) return false;
  Client->TimerTick();
  return true;
}

void TMemoryHost::StartTimer(int milliseconds) {
  TimerRunning_ = true;
  TimerInterval_ = milliseconds;
  ++TimerStarts_;
}

int TMemoryHost::RealizePalette(const platform::LogicalPalette&) {
  ++Realizations_;
  return 0;
}

}  // namespace ui
