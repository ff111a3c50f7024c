// Where the panel and the TV window start, and the TV window's aspect.
#include "viewer/StartGeometry.h"

#include <gtest/gtest.h>

#include "core/Settings.h"

namespace {

struct GeometryCase {
  const char* what;
  int cbX, cbY, tvX, tvY, tvW, tvH;                     // stored
  int wantCbX, wantCbY, wantTvX, wantTvY, wantTvW, wantTvH;
};

// A 409 x 161 panel on a 1024 x 768 desktop.
const GeometryCase kCases[] = {
    {"panel 11 pixels off the left edge is centred", -11, 50, 500, 22, 394, 294,
     307, 50, 500, 22, 394, 294},
    {"panel 10 pixels off the left edge is kept", -10, 50, 500, 22, 394, 294,
     -10, 50, 500, 22, 394, 294},
    {"panel below the desktop is centred", 184, 769, 500, 22, 394, 294,
     184, 303, 500, 22, 394, 294},
    {"TV window 100 x 80 grows to 112 x 84", 184, 318, 500, 22, 100, 80,
     184, 318, 500, 22, 112, 84},
    {"TV window at the panel's place goes to the corner", 184, 318, 184, 318, 394, 294,
     184, 318, 0, 0, 160, 120},
    {"TV window past the right edge starts at the left", 184, 318, 700, 22, 394, 294,
     184, 318, 0, 22, 394, 294},
    {"TV window above the top starts at the top", 184, 318, 500, -1, 394, 294,
     184, 318, 500, 0, 394, 294},
    {"a position at the largest integer does not wrap past the check", 184, 318, 2147483647,
     2147483647, 394, 294, 184, 318, 0, 0, 394, 294},
    {"a TV window larger than the desktop is cut to it", 184, 318, 0, 0, 2147483647, 2147483647,
     184, 318, 0, 0, 1024, 768},
    {"a panel starting at the right edge is centred", 1024, 50, 500, 22, 394, 294,
     307, 50, 500, 22, 394, 294},
};

TEST(StartGeometry, StoredPlacesAreBroughtOntoTheDesktop) {
  for (const GeometryCase& c : kCases) {
    SettingsBlock s{};
    s.CBposX = c.cbX;
    s.CBposY = c.cbY;
    s.TVposX = c.tvX;
    s.TVposY = c.tvY;
    s.TVsizeX = c.tvW;
    s.TVsizeY = c.tvH;
    FitStartGeometry(s, 409, 161, 1024, 768);
    EXPECT_EQ(s.CBposX, c.wantCbX) << c.what;
    EXPECT_EQ(s.CBposY, c.wantCbY) << c.what;
    EXPECT_EQ(s.TVposX, c.wantTvX) << c.what;
    EXPECT_EQ(s.TVposY, c.wantTvY) << c.what;
    EXPECT_EQ(s.TVsizeX, c.wantTvW) << c.what;
    EXPECT_EQ(s.TVsizeY, c.wantTvH) << c.what;
  }
}

TEST(StartGeometry, AspectHeightsForA400PixelWidth) {
  EXPECT_EQ(AspectHeight(400, 0, 123), 300);
  EXPECT_EQ(AspectHeight(400, 1, 123), 257);
  EXPECT_EQ(AspectHeight(400, 2, 123), 225);
  EXPECT_EQ(AspectHeight(400, 3, 123), 123) << "any other value keeps the height";
}

}  // namespace
