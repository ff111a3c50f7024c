#include "sim/SimClock.h"

#include "sim/EventLog.h"

namespace sim {

void SimClock::sleep(uint32_t ms) {
  Log().add({Event::Kind::Sleep, ms});
  nowMs_ += ms;
}

void SimClock::setWallClock(std::time_t t) { wallStart_ = t - static_cast<std::time_t>(nowMs_ / 1000); }

void SimClock::reset() { *this = SimClock(); }

SimClock& Clock() {
  // Never destroyed: the simulated machine outlives every destructor run at exit.
  static SimClock& clock = *new SimClock;
  return clock;
}

}  // namespace sim
