// Minimum, maximum and swap routines shared by the controls.
//
// The list routines take a contiguous range (a std::vector, a std::array, a braced list) and
// return its largest / smallest element, the first one on ties; a list can't be empty: an
// empty list throws std::invalid_argument, since there is no value to return.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <ranges>
#include <span>
#include <stdexcept>

// The class library's date-time: days since 30 December 1899, the time of day in the fraction.
using TDateTime = double;

namespace maxmin {

int32_t Max(int32_t A, int32_t B);
int32_t Min(int32_t A, int32_t B);

void SwapInt(int32_t& A, int32_t& B);
void SwapLong(int32_t& A, int32_t& B);
void SwapInt64(int64_t& A, int64_t& B);

int32_t MaxInteger(std::span<const int32_t> Values);
int32_t MinInteger(std::span<const int32_t> Values);
int64_t MaxInt64(std::span<const int64_t> Values);
int64_t MinInt64(std::span<const int64_t> Values);
long double MaxFloat(std::span<const long double> Values);  // extended precision
long double MinFloat(std::span<const long double> Values);
TDateTime MaxDateTime(std::span<const TDateTime> Values);
TDateTime MinDateTime(std::span<const TDateTime> Values);

// Braced lists: MaxInteger({3, 7, 5}).
template <typename T>
std::span<const T> asSpan(std::initializer_list<T> v) {
  return {v.begin(), v.size()};
}
inline int32_t MaxInteger(std::initializer_list<int32_t> V) { return MaxInteger(asSpan(V)); }
inline int32_t MinInteger(std::initializer_list<int32_t> V) { return MinInteger(asSpan(V)); }
inline int64_t MaxInt64(std::initializer_list<int64_t> V) { return MaxInt64(asSpan(V)); }
inline int64_t MinInt64(std::initializer_list<int64_t> V) { return MinInt64(asSpan(V)); }
inline long double MaxFloat(std::initializer_list<long double> V) { return MaxFloat(asSpan(V)); }
inline long double MinFloat(std::initializer_list<long double> V) { return MinFloat(asSpan(V)); }
inline TDateTime MaxDateTime(std::initializer_list<TDateTime> V) { return MaxDateTime(asSpan(V)); }
inline TDateTime MinDateTime(std::initializer_list<TDateTime> V) { return MinDateTime(asSpan(V)); }

// The largest / smallest of a range of values of any one ordered type (operator<), standing in
// for the class library's variant arrays.
template <std::ranges::forward_range Range>
std::ranges::range_value_t<Range> MaxOf(const Range& Values) {
  auto best = std::ranges::begin(Values);
  if (best == std::ranges::end(Values)) throw std::invalid_argument("MaxOf of an empty list");
  for (auto it = best; it != std::ranges::end(Values); ++it)
    if (*best < *it) best = it;
  return *best;
}

template <std::ranges::forward_range Range>
std::ranges::range_value_t<Range> MinOf(const Range& Values) {
  auto best = std::ranges::begin(Values);
  if (best == std::ranges::end(Values)) throw std::invalid_argument("MinOf of an empty list");
  for (auto it = best; it != std::ranges::end(Values); ++it)
    if (*it < *best) best = it;
  return *best;
}

template <typename T>
T MaxOf(std::initializer_list<T> Values) {
  return MaxOf<std::initializer_list<T>>(Values);
}

template <typename T>
T MinOf(std::initializer_list<T> Values) {
  return MinOf<std::initializer_list<T>>(Values);
}

}  // namespace maxmin
