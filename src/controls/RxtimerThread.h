// The worker of TRxTimer and the state it shares with its timer. Every field is guarded by the
// timer clock's lock; the worker sleeps on that clock and is woken by every change it must see.
#pragma once

#include <cstdint>
#include <exception>
#include <mutex>

#include "controls/Rxtimer.h"
#include "controls/RxtimerClock.h"

namespace rxtimer {

struct TTimerShared {
  TSleeper sleeper;
  bool armed = false;        // resumed; false = suspended
  bool terminated = false;
  bool syncEvent = true;
  uint32_t interval = 1000;  // milliseconds; 1000 until the timer first arms the worker
  uint64_t generation = 0;   // every re-arm counts up and starts the period again
  TThreadPriority priority = tpNormal;
  // Synchronised calls: the last one posted to the main thread and the last one finished.
  uint64_t callsPosted = 0;
  uint64_t callsDone = 0;
  // The exception of a handler that ran on the worker, until it is reported.
  std::exception_ptr exception;
};

class TTimerThread {
public:
  TTimerThread(TRxTimer& owner, TTimerClock& clock, TTimerShared& shared)
      : owner_(owner), clock_(clock), shared_(shared) {}

  // The loop: sleep for the interval while armed, then tick; until terminated.
  void Execute();

private:
  // Sleeps until the period that started now has passed; false when re-armed or terminated.
  bool sleepPeriod(std::unique_lock<std::mutex>& lock);
  void tick(std::unique_lock<std::mutex>& lock);
  void runUnsynchronised(std::unique_lock<std::mutex>& lock);
  void applyPriority(TThreadPriority priority);

  TRxTimer& owner_;
  TTimerClock& clock_;
  TTimerShared& shared_;
  TThreadPriority applied_ = tpNormal;
};

}  // namespace rxtimer
