// The processor-share sampler: shares of the time passed, rounding, a clock that stood still,
// and no source.
#include <gtest/gtest.h>

#include <vector>

#include "recording/CpuLoad.h"

namespace {

struct Sample {
  uint64_t process;
  uint64_t clock;
};

// A sampler that returns the given samples in turn (the first is taken at construction).
CPULoad::Sampler Replay(std::vector<Sample> samples) {
  return [samples = std::move(samples), next = size_t{0}](uint64_t* p, uint64_t* c) mutable {
    if (next >= samples.size()) return false;
    *p = samples[next].process;
    *c = samples[next].clock;
    ++next;
    return true;
  };
}

TEST(CpuLoad, SharesOfTheTimePassed) {
  CPULoad load(Replay({
      {0, 1000},
      {250, 2000},    // a quarter
      {250, 3000},    // idle
      {1250, 4000},   // one core busy
      {3250, 5000},   // two cores: more than 100
      {3255, 5010},   // 5 of 10, rounded half up: 50
      {3255, 5010},   // no time passed: the last share again, not 100
      {3256, 5013},   // 1 of 3 rounds to 33
  }));
  std::vector<int> shares;
  for (int i = 0; i < 7; ++i) shares.push_back(load.GetCpuUsage());
  EXPECT_EQ(shares, (std::vector<int>{25, 0, 100, 200, 50, 50, 33}));
  EXPECT_EQ(load.GetCpuUsage(), -1);  // the source went away
}

TEST(CpuLoad, WithoutASourceEveryShareIsMinusOne) {
  CPULoad load([](uint64_t*, uint64_t*) { return false; });
  EXPECT_EQ(load.GetCpuUsage(), -1);
  EXPECT_EQ(load.GetCpuUsage(), -1);
}

TEST(CpuLoad, ThisProcessBusyForAWhileShowsAShare) {
  CPULoad load;
  volatile uint64_t sink = 0;
  const clock_t end = clock() + CLOCKS_PER_SEC / 20;
  while (clock() < end) sink = sink + 1;
  const int share = load.GetCpuUsage();
  EXPECT_GT(share, 0);
  EXPECT_LE(share, 100 * 64);
}

}  // namespace
