#include "platform/Clock.h"

#include <chrono>
#include <thread>

#include "platform/Environment.h"
#include "sim/SimClock.h"

namespace platform {

void SleepMs(uint32_t ms) {
  if (SimulationEnabled()) {
    sim::Clock().sleep(ms);
    return;
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

uint64_t MonotonicMs() {
  if (SimulationEnabled()) return sim::Clock().monotonicMs();
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

std::tm LocalTimeNow() {
  std::time_t t = SimulationEnabled() ? sim::Clock().wallClock() : std::time(nullptr);
  std::tm out{};
  localtime_r(&t, &out);
  return out;
}

}  // namespace platform
