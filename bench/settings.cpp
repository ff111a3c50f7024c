// The cost of loading and saving the settings against one parse of the same settings.ini: the
// profile cache must make a load of every key cost about one parse, not one parse per key (goal:
// BM_LoadSettings <= 3x BM_ParseOnce), a load that checks each file on disk once. And the
// saves of an orderly shut-down that changed nothing write no file ("writes" of
// BM_UnchangedShutdownSaves: 0). Compare medians:
//   bench_settings --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "core/Channels.h"
#include "core/HardwareTables.h"
#include "core/Settings.h"
#include "platform/Environment.h"
#include "platform/IniDocument.h"
#include "platform/Profile.h"
#include "support/RenameCounter.h"

namespace {

std::string settingsFile() { return platform::ProgramFolder() + "settings.ini"; }

std::string readAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

// The baseline: the file read from disk and parsed once, through the profile functions.
void BM_ParseOnce(benchmark::State& state) {
  const std::string file = settingsFile();
  for (auto _ : state) {
    platform::DropProfileCache();
    benchmark::DoNotOptimize(platform::GetProfileString(file, "Common", "Card", "8"));
  }
}
BENCHMARK(BM_ParseOnce);

// The parse alone, bytes already in memory.
void BM_ParseInMemory(benchmark::State& state) {
  const std::string bytes = readAll(settingsFile());
  for (auto _ : state) benchmark::DoNotOptimize(platform::IniDocument::parse(bytes));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_ParseInMemory);

void BM_LoadSettings(benchmark::State& state) {
  for (auto _ : state) {
    platform::DropProfileCache();
    LoadSettings();
  }
}
BENCHMARK(BM_LoadSettings);

// A save that changed one key writes settings.ini once, synced to disk; remote.ini is unchanged.
void BM_LoadAndSaveSettings(benchmark::State& state) {
  testing_support::RenameCounter renames(platform::ProgramFolder());
  int32_t x = 0;
  for (auto _ : state) {
    platform::DropProfileCache();
    LoadSettings();
    Settings.CBposX = ++x % 1000;
    SaveSettings();
  }
  state.counters["writes"] = benchmark::Counter(static_cast<double>(renames.count("settings.ini")),
                                                benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_LoadAndSaveSettings);

// The shut-down's saves of settings.ini, remote.ini and channels.ini when nothing changed since
// the start; "writes" counts the files written per shut-down.
void BM_UnchangedShutdownSaves(benchmark::State& state) {
  const char* files[] = {"settings.ini", "remote.ini", "channels.ini"};
  std::vector<std::unique_ptr<testing_support::RenameCounter>> renames;
  for (size_t i = 0; i < std::size(files); ++i)
    renames.push_back(std::make_unique<testing_support::RenameCounter>(platform::ProgramFolder()));
  platform::DropProfileCache();
  LoadSettings();
  LoadChannels();
  for (auto _ : state) {
    SaveSettings();
    SaveChannels();
  }
  int64_t writes = 0;
  for (size_t i = 0; i < std::size(files); ++i) {
    const int64_t n = renames[i]->count(files[i]);
    if (n < 0) state.SkipWithError("file events were lost");
    writes += n;
  }
  state.counters["writes"] =
      benchmark::Counter(static_cast<double>(writes), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_UnchangedShutdownSaves);

// A full settings.ini: every key of [Common] and [OSD], the custom hardware rows, remote.ini;
// and a channels.ini of a few channels.
void writeFullSettings() {
  Settings = SettingsBlock{};
  LoadSettings();
  Settings.Skin = "Blue";
  Settings.ExternalSoftName = "/usr/local/bin/capture-tool --device /dev/video0";
  SaveSettings();
  LoadCustomSystem();
  LoadCustomCard();
  LoadCustomTuner();
  SaveCustomSystem();
  SaveCustomCard();
  SaveCustomTuner();
  NumOfChannels = 12;
  for (int row = 0; row < NumOfChannels; ++row)
    ChannelTable[row].Name = "Channel " + std::to_string(row + 1);
  SaveChannels();
  platform::DropProfileCache();
}

}  // namespace

int main(int argc, char** argv) {
  std::string folder = (std::filesystem::temp_directory_path() / "vyx-bench-XXXXXX").string();
  if (!mkdtemp(folder.data())) return 1;
  setenv("VYX_HOME", folder.c_str(), 1);
  writeFullSettings();

  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  std::filesystem::remove_all(folder);
  return 0;
}
