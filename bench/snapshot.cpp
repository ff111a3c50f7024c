// One JPEG snapshot of a 768 x 576 PAL frame at quality 75 (progressive, colour: the stored
// defaults but for the quality), against libjpeg-turbo's own cjpeg converting the same pixels.
//   BM_JpegSnapshot       the whole GrabFrame: the driver's grabs, the BMP written and read back,
//                         the JPEG encoded and written, the preview read, the BMP removed
//   BM_BmpToJpegFile      the conversion step alone: the BMP read, encoded and written
//   BM_EncodeInMemory     the encoding alone, without files
//   BM_CjpegSamePixels    cjpeg -quality 75 -progressive on that BMP, a process started for each
// All are wall-clock times (cjpeg's work is done in a child process); the ratios to the last are
// the figures.
#include <benchmark/benchmark.h>

#include <QApplication>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "core/Settings.h"
#include "gui/Bitmap.h"
#include "sim/Bt848Card.h"
#include "sim/SimTuner.h"
#include "sim/SimVideoDevices.h"
#include "viewer/Snapshot.h"
#include "viewer/TvScreen.h"
#include "viewer/ViewerGlobals.h"

namespace {

namespace fs = std::filesystem;

constexpr int kQuality = 75;

// The card tuned to the "Sim Five" PAL station with unit picture gains, as on a channel.
void tuneToStation() {
  sim::Bt848Card& card = sim::Card();
  card.reset();
  sim::VideoDevices().reset();
  card.poke(sim::bt::kIform, 0x40 | 3);
  card.poke(0x030, 0xD8);  // CONTRAST_LO
  card.poke(0x034, 0xFE);  // SAT_U_LO
  card.poke(0x038, 0xB4);  // SAT_V_LO
  const int divider = static_cast<int>(std::lround(191.25 * 16)) + sim::SimTuner::kTvIf;
  card.tuner().write(0x8E, 0x90);
  card.tuner().write(static_cast<uint8_t>(divider >> 8), static_cast<uint8_t>(divider));
}

// A program folder, the TV window on the station and the snapshot settings.
struct Setup {
  Setup() {
    char pattern[] = "/tmp/vyx-bench-snapshot-XXXXXX";
    home = mkdtemp(pattern);
    ExeDir = home.string() + "/";
    tuneToStation();
    Settings.ImgToSingleFile = 0;
    Settings.ProgressiveJPG = 1;
    Settings.Gray = 0;
    Settings.JpegQuality = kQuality;
    TvScreenWindow = new TvScreen(kDefaultTvWindowStyle, QRect(0, 0, 768, 576), nullptr, 0);
    TvScreenWindow->driverConnect(0);
    TvScreenWindow->setOverlay(true);
    // The same pixels for every contender: one snapshot kept as a BMP file.
    Settings.ImageType = 0;
    GrabFrame();
    bmp = home / "Images" / "source.bmp";
    fs::rename(home / "Images" / "frame.bmp", bmp);
    Settings.ImageType = 1;
  }
  ~Setup() {
    delete TvScreenWindow.data();
    fs::remove_all(home);
  }
  fs::path home;
  fs::path bmp;
};

// Made by the first benchmark, ended in main() while the application still exists.
std::unique_ptr<Setup> made;

Setup& setup() {
  if (!made) made = std::make_unique<Setup>();
  return *made;
}

void BM_JpegSnapshot(benchmark::State& state) {
  setup();
  for (auto _ : state) GrabFrame();
}
BENCHMARK(BM_JpegSnapshot)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_BmpToJpegFile(benchmark::State& state) {
  const Setup& s = setup();
  const fs::path out = s.home / "converted.jpg";
  for (auto _ : state) {
    gui::TBitmap b;
    b.LoadFromFile(s.bmp.string());
    WriteJpegFile(b.Image(), {kQuality, true, false}, out);
  }
}
BENCHMARK(BM_BmpToJpegFile)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_EncodeInMemory(benchmark::State& state) {
  gui::TBitmap b;
  b.LoadFromFile(setup().bmp.string());
  for (auto _ : state) benchmark::DoNotOptimize(EncodeJpeg(b.Image(), {kQuality, true, false}));
}
BENCHMARK(BM_EncodeInMemory)->Unit(benchmark::kMillisecond)->UseRealTime();

std::string cjpegPath() {
  for (const char* dir : {"/usr/bin", "/usr/local/bin", "/bin"}) {
    const std::string p = std::string(dir) + "/cjpeg";
    if (access(p.c_str(), X_OK) == 0) return p;
  }
  return {};
}

void BM_CjpegSamePixels(benchmark::State& state) {
  const Setup& s = setup();
  const std::string cjpeg = cjpegPath();
  if (cjpeg.empty()) {
    state.SkipWithError("cjpeg is missing (Debian package libjpeg-turbo-progs)");
    return;
  }
  const std::string out = (s.home / "cjpeg.jpg").string();
  const std::string in = s.bmp.string();
  for (auto _ : state) {
    const char* argv[] = {"cjpeg", "-quality", "75", "-progressive", "-outfile", out.c_str(),
                          in.c_str(), nullptr};
    pid_t pid = 0;
    if (posix_spawn(&pid, cjpeg.c_str(), nullptr, nullptr, const_cast<char**>(argv), environ)) {
      state.SkipWithError("cjpeg did not start");
      return;
    }
    int status = 0;
    waitpid(pid, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
      state.SkipWithError("cjpeg failed");
      return;
    }
  }
}
BENCHMARK(BM_CjpegSamePixels)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  setenv("VYX_SIM", "1", 0);
  benchmark::Initialize(&argc, argv);
  QApplication app(argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  made.reset();
  benchmark::Shutdown();
  return 0;
}
