// Tests of the minimum, maximum and swap routines.
#include "controls/utils/Maxmin.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

using namespace maxmin;

namespace {

TEST(MaxminTest, MaxAndMinOfTwo) {
  struct Case { int32_t a, b, max, min; };
  const Case cases[] = {
      {-1, 5, 5, -1},
      {7, 7, 7, 7},
      {INT32_MIN, INT32_MAX, INT32_MAX, INT32_MIN},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Max(c.a, c.b), c.max);
    EXPECT_EQ(Max(c.b, c.a), c.max);
    EXPECT_EQ(Min(c.a, c.b), c.min);
    EXPECT_EQ(Min(c.b, c.a), c.min);
  }
}

TEST(MaxminTest, Swaps) {
  int32_t a = 1, b = 2;
  SwapInt(a, b);
  EXPECT_EQ(a, 2);
  EXPECT_EQ(b, 1);
  SwapLong(a, b);
  EXPECT_EQ(a, 1);
  int64_t x = INT64_MIN, y = INT64_MAX;
  SwapInt64(x, y);
  EXPECT_EQ(x, INT64_MAX);
  EXPECT_EQ(y, INT64_MIN);
}

TEST(MaxminTest, ListsOfEachType) {
  EXPECT_EQ(MaxInteger({3, -7, 9, 9}), 9);
  EXPECT_EQ(MinInteger(std::vector<int32_t>{3, -7, 9}), -7);
  EXPECT_EQ(MaxInt64({int64_t{1} << 40, -1}), int64_t{1} << 40);
  EXPECT_EQ(MinInt64({5}), 5);
  EXPECT_EQ(MaxDateTime({36526.5, 36526.75}), 36526.75);
  EXPECT_EQ(MinDateTime({36526.5, 36526.75}), 36526.5);
  EXPECT_EQ(MaxOf({std::string("b"), std::string("c"), std::string("a")}), "c");
  EXPECT_EQ(MinOf(std::vector<double>{2.5, -1.5}), -1.5);
  // Ties keep the first value: visible with the two zeros of floating point.
  EXPECT_FALSE(std::signbit(MaxFloat({0.0L, -0.0L})));
  EXPECT_TRUE(std::signbit(MinFloat({-0.0L, 0.0L})));
  EXPECT_TRUE(std::signbit(MaxOf({-0.0, 0.0})));
}

TEST(MaxminTest, EmptyListsThrow) {
  EXPECT_THROW(MaxInteger(std::vector<int32_t>{}), std::invalid_argument);
  EXPECT_THROW(MinInteger(std::vector<int32_t>{}), std::invalid_argument);
  EXPECT_THROW(MaxInt64(std::vector<int64_t>{}), std::invalid_argument);
  EXPECT_THROW(MinInt64(std::vector<int64_t>{}), std::invalid_argument);
  EXPECT_THROW(MaxFloat(std::vector<long double>{}), std::invalid_argument);
  EXPECT_THROW(MinFloat(std::vector<long double>{}), std::invalid_argument);
  EXPECT_THROW(MaxDateTime(std::vector<TDateTime>{}), std::invalid_argument);
  EXPECT_THROW(MinDateTime(std::vector<TDateTime>{}), std::invalid_argument);
  EXPECT_THROW(MaxOf(std::vector<std::string>{}), std::invalid_argument);
  EXPECT_THROW(MinOf(std::vector<int>{}), std::invalid_argument);
}

}  // namespace
