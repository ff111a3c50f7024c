#include "gui/GdiTypes.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

namespace gui {

bool IsRectEmpty(const TRect& r) { return r.Right <= r.Left || r.Bottom <= r.Top; }

bool PtInRect(const TRect& r, TPoint p) {
  return p.X >= r.Left && p.X < r.Right && p.Y >= r.Top && p.Y < r.Bottom;
}

bool IntersectRect(TRect& dest, const TRect& a, const TRect& b) {
  TRect r{std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right),
          std::min(a.Bottom, b.Bottom)};
  if (IsRectEmpty(r)) {
    dest = {};
    return false;
  }
  dest = r;
  return true;
}

bool UnionRect(TRect& dest, const TRect& a, const TRect& b) {
  if (IsRectEmpty(a)) {
    dest = IsRectEmpty(b) ? TRect{} : b;
  } else if (IsRectEmpty(b)) {
    dest = a;
  } else {
    dest = {std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right),
            std::max(a.Bottom, b.Bottom)};
  }
  return !IsRectEmpty(dest);
}

void OffsetRect(TRect& r, int dx, int dy) {
  r.Left += dx;
  r.Right += dx;
  r.Top += dy;
  r.Bottom += dy;
}

void InflateRect(TRect& r, int dx, int dy) {
  r.Left -= dx;
  r.Right += dx;
  r.Top -= dy;
  r.Bottom += dy;
}

int MulDiv(int a, int b, int c) {
  if (c == 0) return -1;
  int64_t product = int64_t(a) * b;
  bool negative = (product < 0) != (c < 0);
  uint64_t magnitude = uint64_t(std::llabs(product));
  uint64_t divisor = uint64_t(std::llabs(int64_t(c)));
  // Half of the divisor is added before the division: halves round away from zero.
  uint64_t quotient = (magnitude + divisor / 2) / divisor;
  if (quotient > uint64_t(std::numeric_limits<int>::max()) + (negative ? 1 : 0)) return -1;
  return negative ? int(-int64_t(quotient)) : int(quotient);
}

}  // namespace gui
