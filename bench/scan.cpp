// A whole frequency sweep as the program makes it: 40 .. 900 MHz in steps of 0.25 MHz with the
// picture detector, over the simulated stations, in the running program on the simulated
// machine. Each iteration starts the scan from the scan dialog and runs the panel's scan timer's
// ticks until the scan has ended (the ticks are called directly: simulated time stands in for
// the 100 ms between them).
//
// Reported: processor time of the process per sweep, the sweep's ticks (one per step, and one
// per pass of following a station), and that processor time as a share of the time the ticks
// take at the specified pace (ticks x 100 ms, "of_100ms_pace") and at about 200 ms a step, the
// pace other scanners keep ("of_200ms_pace"). Goal: the processor time is a small share of the
// scan's own duration, so that a sweep leaves the machine idle while it waits on the tuner.
#include <benchmark/benchmark.h>

#include <QCoreApplication>

#include <ctime>
#include <string>

#include "InProcessProgram.h"
#include "gui/CustomEdit.h"
#include "sim/EventLog.h"
#include "viewer/Clist.h"
#include "viewer/Range.h"
#include "viewer/Vyxu.h"
#include "viewer/VyxuScan.h"

namespace {

constexpr double kSpecifiedTickMs = 100;
constexpr double kPeerStepMs = 200;

// One sweep; its ticks.
int64_t sweep() {
  Form4->Edit1->SetText("40");
  Form4->Edit2->SetText("900");
  Form4->Edit3->SetText("0.25");
  Form4->SetDetectorIndex(kDetectPicture);
  Form4->Button1Click();
  int64_t ticks = 0;
  while (ScanRunning) {
    Form1->Timer2Timer();
    ++ticks;
  }
  Form6->hide();
  // The machine's event log would otherwise grow over the whole run.
  sim::Log().clear();
  return ticks;
}

double processCpuMs() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return double(t.tv_sec) * 1000 + double(t.tv_nsec) / 1e6;
}

void BM_FullSweep(benchmark::State& state) {
  int64_t ticks = 0;
  double cpuMs = 0;
  for (auto _ : state) {
    const double before = processCpuMs();
    ticks = sweep();
    cpuMs += processCpuMs() - before;
  }
  const double perSweepMs = cpuMs / double(state.iterations());
  const int64_t steps = 3440;  // (900 - 40) / 0.25
  state.counters["ticks"] = double(ticks);
  state.counters["steps"] = double(steps);
  // Processor time per sweep as a share of the sweep's duration at each pace.
  state.counters["of_100ms_pace"] = perSweepMs / (double(ticks) * kSpecifiedTickMs);
  state.counters["of_200ms_pace"] = perSweepMs / (double(steps) * kPeerStepMs);
}
BENCHMARK(BM_FullSweep)->MeasureProcessCPUTime()->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return bench::RunInProgram(argc, argv, VYX_DEMO_FOLDER); }
