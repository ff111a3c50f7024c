#include <gtest/gtest.h>

#include <limits>

#include "core/ProfileValues.h"

using namespace profile_values;

TEST(ProfileValues, IntegersSaturateInsteadOfOverflowing) {
  struct Case {
    const char* text;
    int64_t decimal;
    uint32_t unsignedDecimal;
    uint32_t hex;
  };
  const Case cases[] = {
      {"", 0, 0, 0},
      {"  42abc", 42, 42, 0x42ABC},
      {"-17", -17, 0, 0},
      {"2147483648", 2147483647, 2147483648u, 0xFFFFFFFF},
      {"-99999999999", -2147483648LL, 0, 0},
      {"99999999999", 2147483647, 0xFFFFFFFF, 0xFFFFFFFF},
      {"0x123456789", 0, 0, 0xFFFFFFFF},
      {"0X1f", 0, 0, 0x1F},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(ParseDecimal(c.text), c.decimal);
    EXPECT_EQ(ParseUnsignedDecimal(c.text), c.unsignedDecimal);
    EXPECT_EQ(ParseHex(c.text), c.hex);
  }
}

TEST(ProfileValues, FloatsReadWithADotAndStayFinite) {
  const double max = std::numeric_limits<double>::max();
  const std::pair<const char*, double> cases[] = {
      {"56.75", 56.75}, {" +1.5", 1.5}, {"abc", 0.0},    {"12,5", 12.0},
      {"1e400", max},   {"-1e400", -max}, {"1e-400", 0.0}, {"nan", 0.0},
  };
  for (const auto& [text, expected] : cases) EXPECT_EQ(ParseFloat(text), expected) << text;
}

TEST(ProfileValues, FormatsMatchTheFileConventions) {
  EXPECT_EQ(FormatFixed2(55.2f), "55.20");
  EXPECT_EQ(FormatFixed2(191.25f), "191.25");
  EXPECT_EQ(FormatHex(0x90000000u), "0x90000000");
  EXPECT_EQ(FormatDecimal(-5), "-5");
}
