#include <gtest/gtest.h>

#include <QEventLoop>
#include <QTimer>

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "gui/Timer.h"

using namespace gui;

namespace {

// Runs the event loop until done() holds or `guardMs` have passed; returns done().
bool runUntil(const std::function<bool()>& done, int guardMs) {
  QEventLoop loop;
  QTimer guard, poll;
  guard.setSingleShot(true);
  QObject::connect(&guard, &QTimer::timeout, &loop, &QEventLoop::quit);
  QObject::connect(&poll, &QTimer::timeout, [&] {
    if (done()) loop.quit();
  });
  guard.start(guardMs);
  poll.start(1);
  loop.exec();
  return done();
}

}  // namespace

TEST(Timer, FiresWhenEnabledWithAnIntervalAndAHandler) {
  TTimer timer;
  int fired = 0;
  timer.SetInterval(10);
  EXPECT_FALSE(timer.Active());  // no handler yet
  timer.SetOnTimer([&](TTimer* sender) {
    EXPECT_EQ(sender, &timer);
    ++fired;
  });
  EXPECT_TRUE(timer.Active());
  EXPECT_TRUE(runUntil([&] { return fired > 0; }, 2000)) << "fires at least once within 2 s";
}

TEST(Timer, IntervalZeroOrDisabledNeverFires) {
  struct Case {
    unsigned interval;
    bool enabled;
  } cases[] = {{0, true}, {10, false}};
  for (const Case& c : cases) {
    TTimer timer;
    int fired = 0;
    timer.SetEnabled(c.enabled);
    timer.SetInterval(c.interval);
    timer.SetOnTimer([&](TTimer*) { ++fired; });
    EXPECT_FALSE(timer.Active());
    runUntil([] { return false; }, 100);
    EXPECT_EQ(fired, 0) << c.interval << " " << c.enabled;
  }
}

TEST(Timer, ChangingIntervalOrEnabledStartsThePeriodAgain) {
  TTimer timer;
  timer.SetOnTimer([](TTimer*) {});
  EXPECT_EQ(timer.Interval(), 1000u);
  timer.SetInterval(60000);
  EXPECT_TRUE(timer.Active());
  timer.SetEnabled(false);
  EXPECT_FALSE(timer.Active());
  timer.SetInterval(0);
  timer.SetEnabled(true);
  EXPECT_FALSE(timer.Active());  // interval 0 keeps it stopped
  timer.SetInterval(50);
  EXPECT_TRUE(timer.Active());
}

TEST(Timer, AHandlerCanStopItsTimer) {
  TTimer timer;
  int fired = 0;
  timer.SetInterval(5);
  timer.SetOnTimer([&](TTimer* t) {
    ++fired;
    t->SetEnabled(false);
  });
  EXPECT_TRUE(runUntil([&] { return fired > 0; }, 2000));
  runUntil([] { return false; }, 50);
  EXPECT_EQ(fired, 1);
  EXPECT_FALSE(timer.Active());
}

// The action runs once, before the handler of whichever timer fires next, and may stop that
// timer: a stopped timer's handler is not called.
TEST(Timer, TheActionBeforeTheNextTickRunsOnceBeforeAnyHandler) {
  TTimer first, second;
  std::vector<std::string> calls;
  first.SetInterval(5);
  second.SetInterval(5);
  first.SetOnTimer([&](TTimer* t) {
    calls.push_back("first");
    t->SetEnabled(false);
  });
  second.SetOnTimer([&](TTimer* t) {
    calls.push_back("second");
    t->SetEnabled(false);
  });
  TTimer::RunBeforeNextTick([&] { calls.push_back("action"); });
  EXPECT_TRUE(runUntil([&] { return calls.size() >= 3; }, 2000));
  ASSERT_EQ(calls.size(), 3u);
  EXPECT_EQ(calls[0], "action");

  TTimer stopped;
  bool fired = false;
  stopped.SetInterval(5);
  stopped.SetOnTimer([&](TTimer*) { fired = true; });
  TTimer::RunBeforeNextTick([&] { stopped.SetEnabled(false); });
  runUntil([] { return false; }, 50);
  EXPECT_FALSE(fired);
}

// FireDue fires a timer only within a quarter of its interval of its time, starts its period
// again, and skips disabled timers and timers a handler destroyed on the way.
TEST(Timer, FireDueFiresOnlyTimersNearlyDueAndStartsTheirPeriodAgain) {
  TTimer due, disabled;
  auto destroyed = std::make_unique<TTimer>();
  int fired = 0, firedDisabled = 0, firedDestroyed = 0;
  due.SetInterval(100);
  due.SetOnTimer([&](TTimer*) {
    ++fired;
    destroyed.reset();
  });
  destroyed->SetInterval(100);
  destroyed->SetOnTimer([&](TTimer*) { ++firedDestroyed; });
  disabled.SetInterval(100);
  disabled.SetOnTimer([&](TTimer*) { ++firedDisabled; });
  disabled.SetEnabled(false);

  TTimer::FireDue();
  EXPECT_EQ(fired, 0) << "100 ms away";
  // No event loop runs meanwhile: only FireDue can fire them.
  std::this_thread::sleep_for(std::chrono::milliseconds(85));
  TTimer::FireDue();
  EXPECT_EQ(fired, 1) << "due within 25 ms";
  EXPECT_EQ(firedDisabled, 0);
  EXPECT_TRUE(due.Active());
  TTimer::FireDue();
  EXPECT_EQ(fired, 1) << "its period started again";
  // Whichever of the two came first, the one destroyed fired at most before it went.
  EXPECT_LE(firedDestroyed, 1);
  EXPECT_FALSE(destroyed);
}
