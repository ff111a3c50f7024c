// The skin's colour rule and GIF test.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "settings/SkinLoader.h"

namespace {

struct ColorCase {
  const char* text;
  uint32_t expected;
};

TEST(ParseSkinColor, ReadsRedFirstHexAndDecimalTColors) {
  const ColorCase cases[] = {
      {"0x0000FF", 0xFF0000},   // blue written red first
      {"0X0000FF", 0xFF0000},
      {"0xFF8000", 0x0080FF},   // orange
      {"0x123456", 0x563412},
      {"255", 0x0000FF},        // a decimal TColor is taken as it stands: red
      {"16776960", 0xFFFF00},
      {"0", 0},
      {"", 0},
      {"  42xyz", 42},
      {"-1", 0xFFFFFFFF},
      {"0xFFFFFFFF", 0xFFFFFFFF},
      {"0x1122334455", 0xFFFFFFFF},  // beyond 32 bits
      // Fewer than six digits: the number is 0xRRGGBB with the missing digits leading.
      {"0x", 0},
      {"0xFF", 0xFF0000},
      {"0x1234", 0x341200},
      {"x", 0},
      {"99999999999", 0x7FFFFFFF},   // decimal numbers saturate
      {"-99999999999", 0x80000000},
  };
  for (const ColorCase& c : cases)
    EXPECT_EQ(uint32_t(ParseSkinColor(c.text)), c.expected) << '"' << c.text << '"';
}

TEST(IsGifFile, LooksAtTheTextAfterTheLastDotInAnyCase) {
  const std::pair<const char*, bool> cases[] = {
      {"back.gif", true},     {"BACK.GIF", true},      {"a/b.GiF", true},
      {"back.bmp", false},    {"gif", false},          {"back.gifs", false},
      {"old.gif/back", false}, {"x.gif.bmp", false},   {"", false},
  };
  for (auto [path, expected] : cases) EXPECT_EQ(IsGifFile(path), expected) << path;
}

TEST(NoSkin, EmptyAndBothSpellingsOfNoneMeanNoSkin) {
  for (const char* name : {"", "none", "NONE"}) EXPECT_TRUE(NoSkin(name)) << name;
  for (const char* name : {"None", "Amber", " none"}) EXPECT_FALSE(NoSkin(name)) << name;
}

}  // namespace
