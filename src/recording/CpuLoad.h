// The processor share of the program's own process, sampled by the capture window's graph: the
// kernel and user time of all its threads since the previous sample, as a percentage of the time
// that passed (one busy core is 100).
#pragma once

#include <cstdint>
#include <functional>

class CPULoad {
public:
  // The process's kernel plus user time and a steady clock, both in 100-nanosecond units;
  // false when they can't be read.
  using Sampler = std::function<bool(uint64_t* processTime, uint64_t* clockTime)>;

  // Samples this process.
  CPULoad();
  explicit CPULoad(Sampler sampler);

  // The share since the previous call (or the construction), rounded; the last share again
  // when no time has passed; -1 when the times can't be read.
  int GetCpuUsage();

private:
  Sampler sampler_;
  bool useProcessTimes_ = false;
  uint64_t lastProcessTime_ = 0;
  uint64_t lastClockTime_ = 0;
  int lastUsage_ = 0;
};
