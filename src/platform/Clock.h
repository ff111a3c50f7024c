// Time and sleeping. With the simulation switch on, time is simulated: a sleep returns at once
// and advances the clock, so tests of code that waits run in no time and see every wait.
#pragma once

#include <cstdint>
#include <ctime>

namespace platform {

void SleepMs(uint32_t ms);
uint64_t MonotonicMs();

// The local date and time now.
std::tm LocalTimeNow();

}  // namespace platform
