// A tick of the digital clock, which draws only the digit cells that changed, against a full
// paint of its face; both end with the paint that shows the face. The clock shows 21:05:07 and
// each iteration moves it on by one second (the minute changes every 60th).
#include <benchmark/benchmark.h>

#include <QApplication>

#include <cstdlib>
#include <memory>

#include "controls/Rxclock.h"

namespace {

struct ClockFixture {
  ClockFixture() {
    rxtimer::SetDefaultTimerClock(std::make_shared<rxtimer::TManualTimerClock>());
    dateutil::SetNowFunction([this] { return now; });
    clock = std::make_unique<rxclock::TRxClock>();
    clock->Snapshot();
  }
  ~ClockFixture() {
    clock.reset();
    dateutil::SetNowFunction({});
    rxtimer::SetDefaultTimerClock(nullptr);
  }
  void nextSecond() { now += 1.0 / 86400; }

  TDateTime now = 46'000 + (21 * 3600 + 5 * 60 + 7) / 86400.0;
  std::unique_ptr<rxclock::TRxClock> clock;
};

void BM_Tick(benchmark::State& state) {
  ClockFixture f;
  for (auto _ : state) {
    f.nextSecond();
    f.clock->TimerExpired();
    benchmark::DoNotOptimize(f.clock->Snapshot());
  }
}

void BM_FullPaint(benchmark::State& state) {
  ClockFixture f;
  for (auto _ : state) {
    f.nextSecond();
    f.clock->SetDotsColor(f.clock->DotsColor() ^ 1);  // the whole face is drawn again
    benchmark::DoNotOptimize(f.clock->Snapshot());
  }
}

BENCHMARK(BM_Tick);
BENCHMARK(BM_FullPaint);

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  setenv("VYX_SIM", "1", 0);
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
