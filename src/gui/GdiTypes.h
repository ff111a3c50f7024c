// Points, rectangles and integer helpers with Windows' rules: right and bottom
// edges are exclusive, and MulDiv rounds half away from zero.
#pragma once

#include <cstdint>

namespace gui {

struct TPoint {
  int X = 0;
  int Y = 0;
  friend bool operator==(const TPoint&, const TPoint&) = default;
};

struct TSize {
  int cx = 0;
  int cy = 0;
  friend bool operator==(const TSize&, const TSize&) = default;
};

struct TRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;

  int Width() const { return Right - Left; }
  int Height() const { return Bottom - Top; }
  TPoint TopLeft() const { return {Left, Top}; }
  TPoint BottomRight() const { return {Right, Bottom}; }
  friend bool operator==(const TRect&, const TRect&) = default;
};

inline TPoint Point(int x, int y) { return {x, y}; }
inline TRect Rect(int left, int top, int right, int bottom) { return {left, top, right, bottom}; }
inline TRect Bounds(int left, int top, int width, int height) {
  return {left, top, left + width, top + height};
}

// True when the rectangle encloses no pixel (Right <= Left or Bottom <= Top).
bool IsRectEmpty(const TRect& r);
// True when p lies inside r; the right and bottom edges are outside.
bool PtInRect(const TRect& r, TPoint p);
// The common part of a and b; an empty result is (0, 0, 0, 0) and the answer false.
bool IntersectRect(TRect& dest, const TRect& a, const TRect& b);
// The smallest rectangle holding both; an empty rectangle does not count.
bool UnionRect(TRect& dest, const TRect& a, const TRect& b);
void OffsetRect(TRect& r, int dx, int dy);
void InflateRect(TRect& r, int dx, int dy);

// a * b / c in 64 bits, rounded half away from zero; -1 when c is 0 or the result does not fit
// in 32 bits.
int MulDiv(int a, int b, int c);

}  // namespace gui
