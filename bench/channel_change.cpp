// A channel change as the program makes it: the program runs in this process on the simulated
// machine and a program folder with the simulated stations, and each iteration moves to the
// next TV channel (TForm1::ReSet, then the paint requests it posted). Reported: processor time of
// all threads per change, and what the change waited for on the simulated clock, from the
// machine's event log: the number of sleeps and their sum in milliseconds (simulated time; a
// real card waits that long), and the I2C transfers.
#include <benchmark/benchmark.h>

#include <QCoreApplication>

#include <string>
#include <vector>

#include "InProcessProgram.h"
#include "core/Channels.h"
#include "sim/EventLog.h"
#include "viewer/ViewerGlobals.h"
#include "viewer/Vyxu.h"

namespace {

constexpr int kFmRadioSystem = 9;  // a radio channel hides the TV window: not a picture change

std::vector<int> tvRows() {
  std::vector<int> rows;
  for (int row = 0; row < NumOfChannels; ++row)
    if (ChannelTable[size_t(row)].System != kFmRadioSystem) rows.push_back(row);
  return rows;
}

void BM_ChannelChange(benchmark::State& state) {
  const std::vector<int> rows = tvRows();
  if (rows.size() < 2) return state.SkipWithError("fewer than two TV channels");
  size_t next = 0;
  int sleeps = 0, i2cWrites = 0, i2cReads = 0;
  uint64_t sleptMs = 0;
  for (auto _ : state) {
    sim::Log().clear();
    CurChannel = rows[next++ % rows.size()];
    Form1->ReSet();
    QCoreApplication::processEvents();
    for (const sim::Event& e : sim::Log().events()) {
      if (e.kind == sim::Event::Kind::Sleep) ++sleeps, sleptMs += e.a;
      if (e.kind == sim::Event::Kind::I2cWrite) ++i2cWrites;
      if (e.kind == sim::Event::Kind::I2cRead) ++i2cReads;
    }
  }
  const double n = double(state.iterations());
  state.counters["sleeps"] = sleeps / n;
  state.counters["slept_ms"] = double(sleptMs) / n;
  state.counters["i2c_writes"] = i2cWrites / n;
  state.counters["i2c_reads"] = i2cReads / n;
}
BENCHMARK(BM_ChannelChange)->MeasureProcessCPUTime()->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) { return bench::RunInProgram(argc, argv, VYX_DEMO_FOLDER); }
