#include "recording/CpuLoad.h"

#include <sys/resource.h>
#include <time.h>

namespace {

uint64_t Units(const timeval& t) {
  return static_cast<uint64_t>(t.tv_sec) * 10000000 + static_cast<uint64_t>(t.tv_usec) * 10;
}

bool ProcessTimes(uint64_t* processTime, uint64_t* clockTime) {
  rusage usage{};
  timespec now{};
  if (getrusage(RUSAGE_SELF, &usage) != 0 || clock_gettime(CLOCK_MONOTONIC, &now) != 0)
    return false;
  *processTime = Units(usage.ru_utime) + Units(usage.ru_stime);
  *clockTime = static_cast<uint64_t>(now.tv_sec) * 10000000 + static_cast<uint64_t>(now.tv_nsec) / 100;
  return true;
}

}  // namespace

CPULoad::CPULoad() : CPULoad(ProcessTimes) {}

CPULoad::CPULoad(Sampler sampler) : sampler_(std::move(sampler)) {
  useProcessTimes_ = sampler_ && sampler_(&lastProcessTime_, &lastClockTime_);
}

int CPULoad::GetCpuUsage() {
  uint64_t processTime = 0, clockTime = 0;
  if (!useProcessTimes_ || !sampler_(&processTime, &clockTime)) return -1;
  // No time has passed: the share is the one measured last (a division by nothing would say
  // nothing about the load).
  if (clockTime <= lastClockTime_) return lastUsage_;
  const uint64_t elapsed = clockTime - lastClockTime_;
  const uint64_t used = processTime >= lastProcessTime_ ? processTime - lastProcessTime_ : 0;
  lastUsage_ = static_cast<int>((100 * used + elapsed / 2) / elapsed);
  lastProcessTime_ = processTime;
  lastClockTime_ = clockTime;
  return lastUsage_;
}
