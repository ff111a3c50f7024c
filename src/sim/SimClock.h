// Simulated time: sleeps advance it at once instead of waiting, and are logged.
#pragma once

#include <cstdint>
#include <ctime>

namespace sim {

class SimClock {
public:
  uint64_t monotonicMs() const { return nowMs_; }
  void sleep(uint32_t ms);          // logs the sleep and advances the clock
  void advance(uint64_t ms) { nowMs_ += ms; }

  // Local wall-clock time: a settable start (seconds since the epoch, local) plus elapsed time.
  std::time_t wallClock() const { return wallStart_ + static_cast<std::time_t>(nowMs_ / 1000); }
  void setWallClock(std::time_t t);

  void reset();

private:
  uint64_t nowMs_ = 0;
  std::time_t wallStart_ = 1767225600;  // 2026-01-01 00:00:00 UTC
};

SimClock& Clock();

}  // namespace sim
