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

void SubtractRect(const TRect& from, const TRect& hole, std::vector<TRect>& out) {
  TRect common;
  if (!IntersectRect(common, from, hole)) {
    if (!from.IsEmpty()) out.push_back(from);
    return;
  }
  // The bands above and below the hole across the whole width, then its left and right.
  const TRect parts[] = {{from.Left, from.Top, from.Right, common.Top},
                         {from.Left, common.Bottom, from.Right, from.Bottom},
                         {from.Left, common.Top, common.Left, common.Bottom},
                         {common.Right, common.Top, from.Right, common.Bottom}};
  for (const TRect& part : parts)
    if (!part.IsEmpty()) out.push_back(part);
}

TRect BoundingRect(const std::vector<TRect>& rects) {
  TRect box;
  bool any = false;
  for (const TRect& r : rects) {
    if (r.IsEmpty()) continue;
    if (!any) {
      box = r;
      any = true;
      continue;
    }
    box = {std::min(box.Left, r.Left), std::min(box.Top, r.Top), std::max(box.Right, r.Right),
           std::max(box.Bottom, r.Bottom)};
  }
  return box;
}
