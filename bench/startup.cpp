// Start-up time: from starting the vyx process to the first picture painted in its TV window,
// on the simulated machine with Qt's offscreen platform and a program folder holding the
// simulated stations, as a ratio to the minimal Qt program beside it (bench_minimal_qt: one
// window of the TV window's default size that paints one picture). Each iteration starts one
// process of each, in turn (which goes first alternates), measures each from the fork to its
// "first frame painted" line, and ends both. Goal: ratio <= 1.3 (the median of the repetitions).
// VYX_BENCH_QPA=xcb (with DISPLAY) runs both on a display server instead of the offscreen platform.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "ChildProcess.h"
#include "ProgramFolder.h"

namespace {

constexpr int kLimitMs = 10000;

// Seconds from the fork to the line "first frame painted", or a negative value without one.
double timeToFirstFrame(const std::string& program, const std::string& home) {
  bench::ChildProcess child({{"VYX_SIM", "1"},
                             {"QT_QPA_PLATFORM", bench::QpaPlatform()},
                             {"VYX_HOME", home},
                             {"VYX_FIRST_FRAME_NOTICE", "1"}},
                            bench::ChildProcess::exec(program));
  double seconds = -1;
  child.waitForLine("first frame painted", kLimitMs, &seconds);
  return seconds;
}

void BM_StartToFirstFrame(benchmark::State& state) {
  const std::string home = bench::MakeProgramFolder(VYX_DEMO_FOLDER);
  if (home.empty()) {
    state.SkipWithError("cannot prepare a program folder");
    return;
  }
  static int turn = 0;
  double vyx = 0, floor = 0;
  for (auto _ : state) {
    const bool vyxFirst = turn++ % 2 == 0;
    if (!vyxFirst) floor = timeToFirstFrame(VYX_MINIMAL_QT, home);
    vyx = timeToFirstFrame(VYX_PROGRAM, home);
    if (vyxFirst) floor = timeToFirstFrame(VYX_MINIMAL_QT, home);
    if (vyx < 0 || floor < 0) {
      state.SkipWithError("a program showed no picture");
      break;
    }
    state.SetIterationTime(vyx);
  }
  state.counters["vyx_ms"] = vyx * 1000;
  state.counters["minimal_qt_ms"] = floor * 1000;
  state.counters["ratio"] = floor > 0 ? vyx / floor : 0;
  std::filesystem::remove_all(home);
}
BENCHMARK(BM_StartToFirstFrame)
    ->UseManualTime()
    ->Iterations(1)
    ->Repetitions(9)
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
