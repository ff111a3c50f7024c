// Loading and saving a full channel list (254 channels plus AV and SVHS) against one cold parse
// of the same channels.ini. Goals: a load costs at most 3 parses, and a save writes the file once
// (the "writes" counter, counted from the folder's rename events). Compare medians:
//   bench_channels --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
#include <benchmark/benchmark.h>

#include <sys/inotify.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "core/Channels.h"
#include "platform/Environment.h"
#include "platform/IniDocument.h"
#include "platform/Profile.h"

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

// Counts the files renamed into place under `name` in a folder since the last call; -1 when events
// were lost. The creations of the temporary files are watched too, because the kernel merges
// identical events that follow each other unread: they keep the renames apart.
class RenameCounter {
public:
  explicit RenameCounter(const std::string& folder) : fd_(inotify_init1(IN_NONBLOCK)) {
    if (fd_ >= 0) inotify_add_watch(fd_, folder.c_str(), IN_CREATE | IN_MOVED_TO);
  }
  ~RenameCounter() {
    if (fd_ >= 0) close(fd_);
  }

  int64_t count(const std::string& name) {
    int64_t n = 0;
    alignas(inotify_event) char buf[4096];
    ssize_t len;
    while (fd_ >= 0 && (len = read(fd_, buf, sizeof buf)) > 0)
      for (char* p = buf; p < buf + len;) {
        auto* ev = reinterpret_cast<inotify_event*>(p);
        if (ev->mask & IN_Q_OVERFLOW) return -1;
        if ((ev->mask & IN_MOVED_TO) && ev->len > 0 && name == ev->name) ++n;
        p += sizeof(inotify_event) + ev->len;
      }
    return n;
  }

private:
  int fd_;
};

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
  RenameCounter renames(fullList().folder());
  platform::DropProfileCache();
  LoadChannels();
  renames.count("channels.ini");
  for (auto _ : state) {
    ChannelTable[0].Volume = static_cast<uint8_t>(state.iterations() % 66);  // a real change
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
