// The threaded timer on a manual clock: when it ticks, where its handler runs, re-arming from
// inside the handler, window mode, and destroying it while its worker sleeps or waits for the
// main thread.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QThread>

#include <atomic>
#include <memory>
#include <stdexcept>

#include "controls/Rxtimer.h"

using namespace rxtimer;

namespace {

class RxTimer : public testing::Test {
protected:
  // Moves the clock, lets the worker act and runs what it posted to the main thread.
  void step(uint64_t ms) {
    clock->Advance(ms);
    clock->Settle();
    QCoreApplication::sendPostedEvents();
    clock->Settle();
  }
  std::unique_ptr<TRxTimer> counting(uint32_t interval) {
    auto timer = std::make_unique<TRxTimer>(nullptr, clock);
    timer->SetInterval(interval);
    timer->SetOnTimer([this](TRxTimer*) { ++ticks; });
    clock->Settle();
    return timer;
  }

  std::shared_ptr<TManualTimerClock> clock = std::make_shared<TManualTimerClock>();
  int ticks = 0;
};

TEST_F(RxTimer, TicksOncePerIntervalOnTheMainThreadAfterTheHandlerIsSet) {
  auto timer = counting(100);
  QThread* handlerThread = nullptr;
  timer->SetOnTimer([&](TRxTimer*) {
    ++ticks;
    handlerThread = QThread::currentThread();
  });
  step(99);
  EXPECT_EQ(ticks, 0);
  step(1);
  EXPECT_EQ(ticks, 1);
  EXPECT_EQ(handlerThread, QCoreApplication::instance()->thread());
  for (int i = 0; i < 4; ++i) step(100);
  EXPECT_EQ(ticks, 5);
}

TEST_F(RxTimer, WithoutAHandlerItNeverTicksWhateverEnabledAndIntervalSay) {
  TRxTimer timer(nullptr, clock);
  timer.SetInterval(10);
  timer.SetEnabled(false);
  timer.SetEnabled(true);
  clock->Settle();
  EXPECT_FALSE(timer.ThreadRunning());
  for (int i = 0; i < 5; ++i) step(10);
  EXPECT_EQ(ticks, 0);
}

TEST_F(RxTimer, IntervalZeroOrDisabledStopsTheTicksInBothModes) {
  for (bool threaded : {true, false}) {
    auto timer = counting(50);
    timer->SetThreaded(threaded);
    timer->SetInterval(0);
    EXPECT_FALSE(timer->ThreadRunning());
    EXPECT_TRUE(timer->WindowTimer() == nullptr || !timer->WindowTimer()->Active()) << threaded;
    step(1000);
    timer->SetInterval(50);
    timer->SetEnabled(false);
    EXPECT_FALSE(timer->ThreadRunning());
    EXPECT_TRUE(timer->WindowTimer() == nullptr || !timer->WindowTimer()->Active()) << threaded;
    step(1000);
    EXPECT_EQ(ticks, 0) << threaded;
  }
}

TEST_F(RxTimer, ChangingTheIntervalStartsThePeriodAgain) {
  auto timer = counting(100);
  step(80);
  timer->SetInterval(60);
  clock->Settle();
  step(40);  // 120 ms since the start, 40 into the new period
  EXPECT_EQ(ticks, 0);
  step(20);
  EXPECT_EQ(ticks, 1);
}

TEST_F(RxTimer, ASetterInsideTheHandlerTakesEffectFromTheNextPeriod) {
  auto timer = counting(100);
  timer->SetOnTimer([&](TRxTimer* sender) {
    ++ticks;
    sender->SetInterval(300);
  });
  step(100);
  EXPECT_EQ(ticks, 1);
  step(200);
  EXPECT_EQ(ticks, 1);
  step(100);
  EXPECT_EQ(ticks, 2);
}

TEST_F(RxTimer, DestroyingWhileTheWorkerSleepsReturnsAndNoHandlerRunsLater) {
  auto timer = counting(1000);
  step(500);
  timer.reset();  // would hang here if the sleeping worker were joined without a wake
  step(1000);
  EXPECT_EQ(ticks, 0);
}

TEST_F(RxTimer, DestroyingWhileTheWorkerWaitsForTheMainThreadDropsThatTick) {
  auto timer = counting(100);
  clock->Advance(100);
  clock->Settle();  // the tick is posted and the worker waits for it
  timer.reset();
  QCoreApplication::sendPostedEvents();
  EXPECT_EQ(ticks, 0);
}

TEST_F(RxTimer, TheHandlerMayDestroyItsOwnTimer) {
  auto timer = counting(100);
  timer->SetOnTimer([&](TRxTimer*) {
    ++ticks;
    timer.reset();
  });
  step(100);
  EXPECT_EQ(ticks, 1);
  EXPECT_EQ(timer, nullptr);
}

TEST_F(RxTimer, WithoutSyncEventTheHandlerRunsOnTheWorker) {
  auto timer = counting(100);
  std::atomic<QThread*> handlerThread{nullptr};
  timer->SetSyncEvent(false);
  timer->SetOnTimer([&](TRxTimer*) { handlerThread = QThread::currentThread(); });
  step(100);
  ASSERT_NE(handlerThread.load(), nullptr);
  EXPECT_NE(handlerThread.load(), QCoreApplication::instance()->thread());
}

TEST_F(RxTimer, SynchronizeFromTheWorkerRunsTheMethodOnTheMainThread) {
  auto timer = counting(100);
  std::atomic<QThread*> ranOn{nullptr};
  timer->SetSyncEvent(false);
  timer->SetOnTimer([&](TRxTimer* sender) {
    sender->Synchronize([&] { ranOn = QThread::currentThread(); });
  });
  clock->Advance(100);
  clock->Settle();  // the worker waits inside Synchronize
  EXPECT_EQ(ranOn.load(), nullptr);
  QCoreApplication::sendPostedEvents();
  clock->Settle();
  EXPECT_EQ(ranOn.load(), QCoreApplication::instance()->thread());
}

TEST_F(RxTimer, SwitchingThreadedOffMovesTheTicksToAMainThreadTimerAndBack) {
  auto timer = counting(250);
  EXPECT_TRUE(timer->ThreadRunning());
  timer->SetThreaded(false);
  clock->Settle();
  EXPECT_FALSE(timer->ThreadRunning());
  ASSERT_NE(timer->WindowTimer(), nullptr);
  EXPECT_TRUE(timer->WindowTimer()->Active());
  EXPECT_EQ(timer->WindowTimer()->Interval(), 250u);
  step(1000);
  EXPECT_EQ(ticks, 0);  // the worker is suspended; the window timer runs on real time
  timer->SetThreaded(true);
  clock->Settle();
  EXPECT_EQ(timer->WindowTimer(), nullptr);
  EXPECT_TRUE(timer->ThreadRunning());
}

TEST(RxTimerRealTime, TicksAndIsDestroyedAtOnceMidSleep) {
  auto clock = std::make_shared<TSteadyTimerClock>();
  int ticks = 0;
  {
    TRxTimer timer(nullptr, clock);
    timer.SetInterval(1);
    timer.SetOnTimer([&](TRxTimer*) { ++ticks; });
    uint64_t start = clock->NowMs();
    while (ticks == 0 && clock->NowMs() - start < 10000) {
      QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
  }
  EXPECT_GT(ticks, 0);
  // An hour's sleep ends when the timer goes.
  TRxTimer sleeper(nullptr, clock);
  sleeper.SetInterval(3'600'000);
  sleeper.SetOnTimer([](TRxTimer*) {});
}

}  // namespace
