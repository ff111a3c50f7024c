// Minimum, maximum and swap routines.
#include "controls/utils/Maxmin.h"

#include <string>
#include <utility>

namespace maxmin {

namespace {

// The first of the largest (Larger = true) or smallest values; a later equal one never wins.
template <typename T>
T pick(std::span<const T> values, bool larger, const char* name) {
  if (values.empty()) throw std::invalid_argument(std::string(name) + " of an empty list");
  T best = values[0];
  for (const T& v : values)
    if (larger ? best < v : v < best) best = v;
  return best;
}

}  // namespace

int32_t Max(int32_t A, int32_t B) { return A > B ? A : B; }
int32_t Min(int32_t A, int32_t B) { return A < B ? A : B; }

void SwapInt(int32_t& A, int32_t& B) { std::swap(A, B); }
void SwapLong(int32_t& A, int32_t& B) { std::swap(A, B); }
void SwapInt64(int64_t& A, int64_t& B) { std::swap(A, B); }

int32_t MaxInteger(std::span<const int32_t> Values) { return pick(Values, true, "MaxInteger"); }
int32_t MinInteger(std::span<const int32_t> Values) { return pick(Values, false, "MinInteger"); }
int64_t MaxInt64(std::span<const int64_t> Values) { return pick(Values, true, "MaxInt64"); }
int64_t MinInt64(std::span<const int64_t> Values) { return pick(Values, false, "MinInt64"); }

long double MaxFloat(std::span<const long double> Values) {
  return pick(Values, true, "MaxFloat");
}
long double MinFloat(std::span<const long double> Values) {
  return pick(Values, false, "MinFloat");
}

TDateTime MaxDateTime(std::span<const TDateTime> Values) {
  return pick(Values, true, "MaxDateTime");
}
TDateTime MinDateTime(std::span<const TDateTime> Values) {
  return pick(Values, false, "MinDateTime");
}

}  // namespace maxmin
