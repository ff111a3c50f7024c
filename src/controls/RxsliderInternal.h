// Helpers shared by the slider's source files: rounding as the slider computes it.
#pragma once

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>

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

}  // namespace rxslider::detail
