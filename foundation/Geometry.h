// Points and rectangles of the whole system: signed 32-bit pixel co-ordinates, y downwards,
// right and bottom exclusive.
#pragma once

#include <cstdint>
#include <vector>

struct TPoint {
  int32_t X = 0;
  int32_t Y = 0;

  friend bool operator==(const TPoint&, const TPoint&) = default;
};

struct TRect {
  int32_t Left = 0;
  int32_t Top = 0;
  int32_t Right = 0;
  int32_t Bottom = 0;

  int32_t Width() const { return Right - Left; }
  int32_t Height() const { return Bottom - Top; }
  bool IsEmpty() const { return Left >= Right || Top >= Bottom; }
  bool Contains(TPoint p) const { return Left <= p.X && p.X < Right && Top <= p.Y && p.Y < Bottom; }

  friend bool operator==(const TRect&, const TRect&) = default;
};

// The same size with its top-left corner at `p`; no normalisation or clamping.
TRect MoveRectTo(TRect r, TPoint p);

// The common part of `a` and `b`; (0, 0, 0, 0) and false when they do not overlap or either
// is empty.
bool IntersectRect(TRect& result, const TRect& a, const TRect& b);
TRect Intersection(const TRect& a, const TRect& b);

// The parts of `from` outside `hole`, as up to four rectangles appended to `out`.
void SubtractRect(const TRect& from, const TRect& hole, std::vector<TRect>& out);
// The smallest rectangle that holds every non-empty rectangle of `rects`; (0, 0, 0, 0) for none.
TRect BoundingRect(const std::vector<TRect>& rects);
