// The OSD font names: the value each stands for and the look-ups both ways.
#include <gtest/gtest.h>

#include "settings/OsdFontNames.h"

namespace {

TEST(OsdFontNames, ValuesFindTheirNamesAndUnknownValuesNone) {
  struct Case {
    std::span<const osd_font::NamedValue> names;
    int32_t value;
    const char* name;  // nullptr: no entry
  };
  const Case cases[] = {
      {osd_font::Charsets(), 129, "HANGEUL_CHARSET"}, {osd_font::Charsets(), 204, "RUSSIAN_CHARSET"},
      {osd_font::Charsets(), 77, "MAC_CHARSET"},      {osd_font::Charsets(), 5, nullptr},
      {osd_font::Pitches(), 8, "MONO_FONT"},          {osd_font::Pitches(), 3, nullptr},
      {osd_font::Families(), 0x20, "FF_SWISS"},       {osd_font::Families(), 0, "FF_DONTCARE"},
      {osd_font::Weights(), 700, "FW_BOLD"},          {osd_font::Weights(), 750, nullptr},
  };
  for (const Case& c : cases) {
    const int index = osd_font::IndexOfValue(c.names, c.value);
    if (!c.name) {
      EXPECT_EQ(index, -1) << c.value;
      continue;
    }
    ASSERT_GE(index, 0) << c.value;
    EXPECT_STREQ(c.names[index].name, c.name);
    EXPECT_EQ(osd_font::ValueOfName(c.names, c.name, -1), c.value);
  }
  EXPECT_EQ(osd_font::ValueOfName(osd_font::Charsets(), "NO_SUCH", 42), 42);
}

TEST(OsdFontNames, ListsHaveTheBoxesOrder) {
  EXPECT_EQ(osd_font::Charsets().size(), 19u);
  EXPECT_STREQ(osd_font::Charsets()[0].name, "ANSI_CHARSET");
  EXPECT_STREQ(osd_font::Charsets()[18].name, "BALTIC_CHARSET");
  EXPECT_STREQ(osd_font::Families()[0].name, "FF_DECORATIVE");
  for (size_t i = 0; i < osd_font::Weights().size(); ++i)
    EXPECT_EQ(osd_font::Weights()[i].value, int32_t(i) * 100);
}

}  // namespace
