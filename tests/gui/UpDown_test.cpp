#include "gui/UpDown.h"

#include <gtest/gtest.h>

#include <QToolButton>

#include <vector>

using namespace gui;

namespace {

// Each press moves the position first (staying at an end, or wrapping round with Wrap) and is
// reported whether or not it moved.
TEST(UpDown, PressesStepClampOrWrapAndAreAlwaysReported) {
  struct Case {
    bool wrap;
    int start;
    TUDBtnType button;
    int expected;
  };
  const Case cases[] = {
      {false, 5, btNext, 6},  {false, 5, btPrev, 4},  {false, 9, btNext, 9},
      {false, 1, btPrev, 1},  {true, 9, btNext, 1},   {true, 1, btPrev, 9},
  };
  for (const Case& c : cases) {
    TUpDown updown;
    updown.SetRange(1, 9);
    updown.SetWrap(c.wrap);
    updown.SetPosition(c.start);
    std::vector<TUDBtnType> clicks;
    updown.OnClick = [&](TUpDown* sender, TUDBtnType b) {
      EXPECT_EQ(sender, &updown);
      clicks.push_back(b);
    };
    updown.Press(c.button);
    EXPECT_EQ(updown.Position(), c.expected) << c.start << (c.wrap ? " wrap" : "");
    EXPECT_EQ(clicks, std::vector<TUDBtnType>{c.button});
  }
}

TEST(UpDown, ButtonsFollowTheOrientation) {
  TUpDown updown;
  updown.resize(40, 20);
  updown.SetOrientation(udHorizontal);
  EXPECT_EQ(updown.Button(btPrev)->geometry(), QRect(0, 0, 20, 20));
  EXPECT_EQ(updown.Button(btNext)->geometry(), QRect(20, 0, 20, 20));
  updown.SetOrientation(udVertical);
  EXPECT_EQ(updown.Button(btNext)->geometry(), QRect(0, 0, 40, 10));
  EXPECT_EQ(updown.Button(btPrev)->geometry(), QRect(0, 10, 40, 10));
  updown.Button(btNext)->click();
  EXPECT_EQ(updown.Position(), 1);
}

}  // namespace
