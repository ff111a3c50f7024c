// Helpers shared by the slider's source files: rounding as the slider computes it and the
// transparent bitmap drawing it paints with.
#pragma once

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>

#include "gui/Bitmap.h"

namespace rxslider::detail {

// Nearest integer, halves to even (the default rounding mode), saturated to 64 bits.
inline int64_t RoundHalfEven(double value) {
  if (std::isnan(value)) return 0;
  if (value >= 9.2e18) return INT64_MAX;
  if (value <= -9.2e18) return INT64_MIN;
  return int64_t(std::nearbyint(value));
}

inline int ClampToInt(int64_t value) {
  return int(std::clamp<int64_t>(value, INT_MIN, INT_MAX));
}

// The bitmap's lower-left pixel: the transparent colour of every slider image.
gui::TColor LowerLeftPixel(const gui::TBitmap& bitmap);

// TODO(merge): use Vclutils::DrawBitmapRectTransparent and Vclutils::DrawBitmapTransparent.
// The source rectangle of the bitmap drawn at (x, y) in its own size, leaving out the pixels of
// `transparent`; clNone draws every pixel.
void DrawBitmapRectTransparent(gui::TCanvas& dest, int x, int y, const gui::TRect& source,
                               const gui::TBitmap& bitmap, gui::TColor transparent);
void DrawBitmapTransparent(gui::TCanvas& dest, int x, int y, const gui::TBitmap& bitmap,
                           gui::TColor transparent);

}  // namespace rxslider::detail
