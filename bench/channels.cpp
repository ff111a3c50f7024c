// Loading and saving a full channel list (254 channels plus AV and SVHS) against one cold parse
// of the same channels.ini. Goals: a load costs at most 3 parses, and a save writes the file once
// (the "writes" counter, counted from the folder's rename events). Compare medians:
//   bench_channels --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "core/Channels.h"
#include "platform/Environment.h"
#include "platform/IniDocument.h"
#include "platform/Profile.h"
#include "support/RenameCounter.h"

namespace {

// A program folder holding a channels.ini of a full list, made once for the whole run.
class FullList {
public:
  FullList() {
    std::string pattern = (std::filesystem::temp_directory_path() / "vyx-bench-XXXXXX").string();
    if (!mkdtemp(pattern.data())) std::abort();
    folder_ = pattern + "/";
    setenv("VYX_HOME", folder_.c_str(), 1);
    std::ofstream(file()).flush();  // start from an existing, empty file

    NumOfChannels = kMaxTunerChannels;
    StartChannel = 17;
    for (int row = 0; row < kChannelRows; ++row) {
      ChannelRecord& r = ChannelTable[row];
      r.Freq = 48.25f + 3.5f * static_cast<float>(row);
      r.System = static_cast<uint8_t>(row % 10);
      r.Name = "Channel " + std::to_string(row + 1) + " \xCA\xE0\xED\xE0\xEB";
      r.Volume = static_cast<uint8_t>(row % 66);
      r.Brightness = r.Contrast = r.Hue = r.Saturation = static_cast<uint8_t>(row % 101);
    }
    SaveChannels();
  }
  ~FullList() {
    std::error_code ec;
    std::filesystem::remove_all(folder_, ec);
  }

  const std::string& folder() const { return folder_; }
  std::string file() const { return folder_ + "channels.ini"; }

private:
  std::string folder_;
};

FullList& fullList() {
  static FullList list;
  return list;
}

// One cold read: the file is read and parsed, and one key is looked up.
void BM_SingleParse(benchmark::State& state) {
  const std::string file = fullList().file();
  for (auto _ : state) {
    platform::DropProfileCache();
    benchmark::DoNotOptimize(platform::GetProfileString(file, "Common", "NumOfChannels", "1"));
  }
}
BENCHMARK(BM_SingleParse);

// The parse alone, of the file's bytes already in memory: the floor under both of the above.
void BM_ParseInMemory(benchmark::State& state) {
  std::ifstream in(fullList().file(), std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  for (auto _ : state) benchmark::DoNotOptimize(platform::IniDocument::parse(bytes));
}
BENCHMARK(BM_ParseInMemory);

// A cold load of the whole list: one parse plus 2,050 look-ups.
void BM_LoadChannels(benchmark::State& state) {
  fullList();
  for (auto _ : state) {
    platform::DropProfileCache();
    LoadChannels();
    benchmark::DoNotOptimize(ChannelTable[kSvhsRow].Freq);
  }
  if (NumOfChannels != kMaxTunerChannels) state.SkipWithError("the list did not load");
}
BENCHMARK(BM_LoadChannels);

// A save of the whole list over the existing file; "writes" is the files written per save.
void BM_SaveChannels(benchmark::State& state) {
  testing_support::RenameCounter renames(fullList().folder());
  platform::DropProfileCache();
  LoadChannels();
  renames.count("channels.ini");
  uint8_t volume = ChannelTable[0].Volume;
  for (auto _ : state) {
    // A real change: an unchanged list is not written. (state.iterations() stays 0 in the loop.)
    volume = static_cast<uint8_t>((volume + 1) % 66);
    ChannelTable[0].Volume = volume;
    SaveChannels();
  }
  const int64_t writes = renames.count("channels.ini");
  if (writes < 0) state.SkipWithError("file events were lost");
  state.counters["writes"] =
      benchmark::Counter(static_cast<double>(writes), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_SaveChannels);

}  // namespace

BENCHMARK_MAIN();
