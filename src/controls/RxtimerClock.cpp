#include "controls/RxtimerClock.h"

#include <algorithm>
#include <chrono>

#include "controls/ControlsState.h"

namespace rxtimer {

void TTimerClock::Register(TSleeper& sleeper) { sleepers_.push_back(&sleeper); }

void TTimerClock::Unregister(TSleeper& sleeper) {
  sleepers_.erase(std::remove(sleepers_.begin(), sleepers_.end(), &sleeper), sleepers_.end());
  changed_.notify_all();
}

void TTimerClock::Sleep(std::unique_lock<std::mutex>& lock, TSleeper& sleeper,
                        uint64_t deadlineMs) {
  sleeper.asleep = true;
  sleeper.deadlineMs = deadlineMs;
  changed_.notify_all();  // someone may be waiting for the workers to settle
  WaitFor(lock, sleeper);
  sleeper.asleep = false;
}

void TTimerClock::Wake(TSleeper& sleeper) {
  sleeper.asleep = false;
  sleeper.wakeUp.notify_one();
  changed_.notify_all();
}

// --- real time ------------------------------------------------------------------------------

uint64_t TSteadyTimerClock::NowMs() const {
  using namespace std::chrono;
  return uint64_t(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

void TSteadyTimerClock::WaitFor(std::unique_lock<std::mutex>& lock, TSleeper& sleeper) {
  if (sleeper.deadlineMs == kForever) {
    sleeper.wakeUp.wait(lock, [&] { return !sleeper.asleep; });
    return;
  }
  auto deadline = std::chrono::steady_clock::time_point(std::chrono::milliseconds(sleeper.deadlineMs));
  sleeper.wakeUp.wait_until(lock, deadline, [&] { return !sleeper.asleep; });
}

// --- manual time ----------------------------------------------------------------------------

void TManualTimerClock::WaitFor(std::unique_lock<std::mutex>& lock, TSleeper& sleeper) {
  Changed().wait(lock, [&] { return !sleeper.asleep || sleeper.deadlineMs <= nowMs_; });
}

void TManualTimerClock::Advance(uint64_t ms) {
  std::lock_guard<std::mutex> lock(Mutex());
  nowMs_ += ms;
  for (TSleeper* sleeper : Sleepers()) {
    if (sleeper->asleep && sleeper->deadlineMs <= nowMs_) sleeper->asleep = false;
  }
  Changed().notify_all();
}

void TManualTimerClock::Settle() {
  std::unique_lock<std::mutex> lock(Mutex());
  Changed().wait(lock, [&] {
    return std::all_of(Sleepers().begin(), Sleepers().end(), [&](const TSleeper* s) {
      return s->asleep && s->deadlineMs > nowMs_;
    });
  });
}

// --- the default ----------------------------------------------------------------------------

std::shared_ptr<TTimerClock> DefaultTimerClock() {
  auto& slot = detail::DefaultClock;
  if (!slot) slot = std::make_shared<TSteadyTimerClock>();
  return slot;
}

void SetDefaultTimerClock(std::shared_ptr<TTimerClock> clock) {
  detail::DefaultClock = std::move(clock);
}

}  // namespace rxtimer
