// The cost of loading and saving the settings against one parse of the same settings.ini: the
// profile cache must make a load of every key cost about one parse, not one parse per key.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "core/HardwareTables.h"
#include "core/Settings.h"
#include "platform/Environment.h"
#include "platform/IniDocument.h"
#include "platform/Profile.h"

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

// A save writes settings.ini and remote.ini once each, each synced to disk.
void BM_LoadAndSaveSettings(benchmark::State& state) {
  for (auto _ : state) {
    platform::DropProfileCache();
    LoadSettings();
    SaveSettings();
  }
}
BENCHMARK(BM_LoadAndSaveSettings);

// A full settings.ini: every key of [Common] and [OSD], the custom hardware rows, remote.ini.
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
