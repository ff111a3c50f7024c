#include "platform/CursorVisibility.h"

#include "SimSystemFixture.h"
#include "platform/CursorVisibilityQt.h"
#include "platform/CursorVisibilitySim.h"

using namespace platform;

namespace {

using Kind = sim::SystemEvent::Kind;

// Requests (true = show) and the count after each.
struct Case {
  std::vector<bool> requests;
  std::vector<int> counts;
};

const Case kCases[] = {
    {{false, true}, {-1, 0}},
    {{false, false, true, true}, {-1, -2, -1, 0}},
    {{true, false, false}, {1, 0, -1}},
};

class SimCursor : public SimSystemFixture {};

TEST_F(SimCursor, TheCountFollowsEveryRequestAndIsLogged) {
  EXPECT_EQ(&CursorVisibility::current(), &SimCursorVisibility());
  for (const Case& c : kCases) {
    resetAll();
    for (size_t i = 0; i < c.requests.size(); ++i) {
      EXPECT_EQ(CursorVisibility::current().showCursor(c.requests[i]), c.counts[i]) << i;
      EXPECT_EQ(sim::Desktop().cursorVisible(), c.counts[i] >= 0);
    }
    auto logged = sim::SystemLog().only(Kind::CursorShow);
    ASSERT_EQ(logged.size(), c.requests.size());
    EXPECT_EQ(logged.back().b, c.counts.back());
  }
}

// Without an application only the count moves; the real backend's count never resets, so each
// case brings it back to where it started.
TEST(QtCursor, CountsWithoutAnApplication) {
  int start = QtCursorVisibility().showCursor(true) - 1;
  QtCursorVisibility().showCursor(false);
  for (const Case& c : kCases) {
    for (size_t i = 0; i < c.requests.size(); ++i)
      EXPECT_EQ(QtCursorVisibility().showCursor(c.requests[i]), start + c.counts[i]) << i;
    for (int n = c.counts.back(); n != 0; n += n < 0 ? 1 : -1)
      QtCursorVisibility().showCursor(n < 0);
  }
}

}  // namespace
