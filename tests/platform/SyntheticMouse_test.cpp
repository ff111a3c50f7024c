#include "platform/SyntheticMouse.h"

#include <cstdlib>
#include <optional>
#include <string>

#include "SimSystemFixture.h"
#include "platform/SyntheticMouseSim.h"
#include "platform/SyntheticMouseXTest.h"
#include "sim/SimPointer.h"

using namespace platform;

namespace {

class SimMouse : public SimSystemFixture {
protected:
  void SetUp() override {
    SimSystemFixture::SetUp();
    sim::Pointer().reset();
  }
};

// The simulated pointer stays on the current mode's screen and records each request.
TEST_F(SimMouse, MovesStayOnTheScreenAndEveryRequestIsRecorded) {
  SyntheticMouse& mouse = SyntheticMouse::current();
  EXPECT_EQ(&mouse, &SimSyntheticMouse());
  struct Case {
    CursorPoint to, at;
  };
  const Case cases[] = {{{10, 20}, {10, 20}}, {{-5, 900}, {0, 767}}, {{2000, -1}, {1023, 0}}};
  for (const Case& c : cases) {
    mouse.setCursorPos(c.to);
    EXPECT_EQ(mouse.cursorPos(), c.at) << c.to.x << "," << c.to.y;
  }
  sim::Desktop().setMode(640, 480, 60);
  mouse.setCursorPos({1000, 1000});
  EXPECT_EQ(mouse.cursorPos(), (CursorPoint{639, 479})) << "the screen of the mode now";

  sim::Pointer().clearEvents();
  mouse.button(MouseButton::Right, MouseAction::DoubleClick);
  mouse.button(MouseButton::Middle, MouseAction::Up);
  mouse.nudge();
  const auto& events = sim::Pointer().events();
  ASSERT_EQ(events.size(), 3u);
  EXPECT_EQ(events[0].button, sim::PointerButton::Right);
  EXPECT_EQ(events[0].action, sim::PointerAction::DoubleClick);
  EXPECT_EQ(events[1].button, sim::PointerButton::Middle);
  EXPECT_EQ(events[1].action, sim::PointerAction::Up);
  EXPECT_EQ(events[2].kind, sim::PointerEvent::Kind::Nudge);
  EXPECT_EQ(events[2].pos, (sim::PointerPos{639, 479}));
}

// Without an X display the real backend reads (0, 0) and does nothing.
TEST(SyntheticMouseXTest, WithoutADisplayNothingHappens) {
  std::optional<std::string> display;
  if (const char* d = std::getenv("DISPLAY")) display = d;
  unsetenv("DISPLAY");
  auto mouse = MakeXTestSyntheticMouse();
  mouse->setCursorPos({5, 5});
  mouse->button(MouseButton::Left, MouseAction::DoubleClick);
  mouse->nudge();
  EXPECT_EQ(mouse->cursorPos(), (CursorPoint{0, 0}));
  if (display) setenv("DISPLAY", display->c_str(), 1);
}

// On an X display (Xvfb will do) the cursor goes where it is sent, and button events and
// nudges are accepted.
TEST(SyntheticMouseXTest, OnADisplayTheCursorGoesWhereItIsSent) {
  if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no X display";
  auto mouse = MakeXTestSyntheticMouse();
  mouse->setCursorPos({37, 41});
  EXPECT_EQ(mouse->cursorPos(), (CursorPoint{37, 41}));
  mouse->setCursorPos({12, 9});
  EXPECT_EQ(mouse->cursorPos(), (CursorPoint{12, 9}));
  mouse->button(MouseButton::Left, MouseAction::Down);
  mouse->button(MouseButton::Left, MouseAction::Up);
  mouse->nudge();
  EXPECT_EQ(mouse->cursorPos(), (CursorPoint{12, 9})) << "a nudge moves nothing";
}

}  // namespace
