// The time that the workers of the threaded timers sleep on. A clock owns the one lock that
// guards its timers' shared state, and every wait is made under it, so that a change of a timer
// and a step of time can never slip past a worker that is about to sleep. Each change is also
// told on one condition variable of the clock (the manual clock's workers and Settle wait there).
//
// TSteadyTimerClock is real time. TManualTimerClock stands still until Advance moves it, and
// Settle waits until every worker has acted on what happened: tests run timers through whole
// seconds of their time without sleeping.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <limits>
#include <memory>
#include <mutex>
#include <vector>

namespace rxtimer {

// One sleeping place: a worker sleeps in it until the deadline passes or someone wakes it. A
// worker on real time waits on its own condition variable, so that waking one worker (every tick
// does) leaves the others asleep.
struct TSleeper {
  bool asleep = false;
  uint64_t deadlineMs = 0;
  std::condition_variable wakeUp;
};

inline constexpr uint64_t kForever = std::numeric_limits<uint64_t>::max();

class TTimerClock {
public:
  virtual ~TTimerClock() = default;

  // Guards the state of every timer on this clock and the sleepers.
  std::mutex& Mutex() { return mutex_; }

  // Milliseconds on this clock; the lock is held.
  virtual uint64_t NowMs() const = 0;

  // A worker's sleeping place lives from its start to its end; the lock is held.
  void Register(TSleeper& sleeper);
  void Unregister(TSleeper& sleeper);

  // Sleeps until the deadline (kForever: until woken) or a Wake; the lock is held by `lock`.
  void Sleep(std::unique_lock<std::mutex>& lock, TSleeper& sleeper, uint64_t deadlineMs);
  // Ends that sleep at once; the lock is held.
  void Wake(TSleeper& sleeper);

protected:
  // Waits on the condition variable until the sleeper is woken or its deadline passes.
  virtual void WaitFor(std::unique_lock<std::mutex>& lock, TSleeper& sleeper) = 0;
  std::condition_variable& Changed() { return changed_; }
  const std::vector<TSleeper*>& Sleepers() const { return sleepers_; }

private:
  std::mutex mutex_;
  std::condition_variable changed_;
  std::vector<TSleeper*> sleepers_;
};

// Real time (the monotonic clock).
class TSteadyTimerClock : public TTimerClock {
public:
  uint64_t NowMs() const override;

protected:
  void WaitFor(std::unique_lock<std::mutex>& lock, TSleeper& sleeper) override;
};

// Time that moves only when told to.
class TManualTimerClock : public TTimerClock {
public:
  uint64_t NowMs() const override { return nowMs_; }
  // Moves the time forward and wakes every worker whose deadline has come.
  void Advance(uint64_t ms);
  // Returns once every worker of this clock sleeps again: with a deadline still ahead,
  // suspended, or waiting for its handler on the main thread.
  void Settle();

protected:
  void WaitFor(std::unique_lock<std::mutex>& lock, TSleeper& sleeper) override;

private:
  uint64_t nowMs_ = 0;
};

// The clock that new timers take: real time unless replaced. nullptr puts real time back.
std::shared_ptr<TTimerClock> DefaultTimerClock();
void SetDefaultTimerClock(std::shared_ptr<TTimerClock> clock);

}  // namespace rxtimer
