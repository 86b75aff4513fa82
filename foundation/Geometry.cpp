#include "foundation/Geometry.h"

#include <algorithm>

TRect MoveRectTo(TRect r, TPoint p) {
  return {p.X, p.Y, p.X + (r.Right - r.Left), p.Y + (r.Bottom - r.Top)};
}

bool IntersectRect(TRect& result, const TRect& a, const TRect& b) {
  TRect common{std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right),
               std::min(a.Bottom, b.Bottom)};
  if (a.IsEmpty() || b.IsEmpty() || common.IsEmpty()) {
    result = TRect{};
    return false;
  }
  result = common;
  return true;
}

TRect Intersection(const TRect& a, const TRect& b) {
  TRect result;
  IntersectRect(result, a, b);
  return result;
}
