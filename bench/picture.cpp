// The live picture as a person's machine shows it: processor time of all threads of the process
// per displayed frame, at 25 frames a second, through the real widget paint on Qt's offscreen
// platform. Each measurement is a process of its own (ChildProcess.h, FrameMeter.h):
//
// - vyx: the program itself, started as its entry point starts it (every window, timer and
//   thread) on the simulated machine and a program folder with the simulated stations, its TV
//   window at the size asked for, both OSD windows as the program makes them; the OSD empty (the
//   channel name has gone after its delay) or showing the channel name all along; the remote's
//   20 ms poll on, as the program starts by default, and once off, for the picture path alone.
// - floor: bench_minimal_qt, one window of the same size that paints one picture scaled
//   beforehand, 25 times a second.
// - vyx with its picture from the V4L2 backend, fed YUYV frames by the stand-in driver of the
//   capture tests (tests/capture/FakeV4l2Device.h) 25 times a second.
//
// Each iteration runs one process of each side of a ratio in turn (which goes first alternates)
// and reports both figures in microseconds per frame and their ratio; the medians of the
// repetitions are the figures. Goals: vyx / floor <= 1.5 at the default TV window (394 x 294)
// and <= 2 at 768 x 576; V4L2 / simulated <= 1.5 at the same size. VYX_BENCH_QPA=xcb (with
// DISPLAY) runs the children on a display server instead.
#include <benchmark/benchmark.h>

#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "ChildProcess.h"
#include "ProgramFolder.h"
#include "FrameMeter.h"
#include "capture/FakeV4l2Device.h"
#include "core/CMyMixer.h"
#include "gui/VyxApplication.h"
#include "platform/Profile.h"
#include "platform/capture/CaptureSourceV4l2.h"
#include "sim/SimPicture.h"
#include "viewer/Startup.h"
#include "viewer/TvScreen.h"

namespace {

constexpr int kWarmupFrames = 50;  // two seconds: the start's channel name has gone by then
constexpr int kMeasuredFrames = 150;  // six seconds, so that a pause of the machine weighs less
constexpr int kChildLimitMs = 30000;
constexpr int kFrameMs = 40;

enum class Source { Sim, V4l2 };
enum Osd { kOsdEmpty, kOsdText };
enum Remote { kRemoteOff, kRemoteOn };

struct Scene {
  int width;
  int height;
  Osd osd;
  Source source;
  Remote remote;
};

// A program folder for one scene: the simulated stations, the TV window's size, and an OSD
// delay of an hour when the channel name is to stay.
std::string makeProgramFolder(const Scene& scene) {
  const std::string dir = bench::MakeProgramFolder(VYX_DEMO_FOLDER);
  if (dir.empty()) return {};
  const std::string ini = dir + "/settings.ini";
  platform::WriteProfileString(ini, "Common", "TVsizeX", std::to_string(scene.width));
  platform::WriteProfileString(ini, "Common", "TVsizeY", std::to_string(scene.height));
  if (scene.osd == kOsdText) platform::WriteProfileString(ini, "OSD", "OSDDelay", "3600000");
  if (scene.remote == kRemoteOff) platform::WriteProfileString(ini, "Common", "Remote", "0");
  return dir;
}

// One YUYV frame of the stand-in driver at the size it streams: the simulated card's test
// pattern, full-range BT.601.
std::vector<uint8_t> yuyvPattern(uint32_t width, uint32_t height) {
  sim::PictureState state;
  state.content = sim::PictureState::Content::Pattern;
  state.label = "Sim Five";
  state.width = int(width);
  state.height = int(height);
  std::vector<uint32_t> rgb(size_t(width) * height);
  sim::SimPicture().render(state, 0, rgb.data());
  std::vector<uint8_t> out(rgb.size() * 2);
  auto clamp = [](double v) { return uint8_t(std::clamp(v + 0.5, 0.0, 255.0)); };
  for (size_t i = 0; i + 1 < rgb.size(); i += 2) {
    double y[2], u = 0, v = 0;
    for (int k = 0; k < 2; ++k) {
      const double r = rgb[i + k] >> 16 & 0xFF, g = rgb[i + k] >> 8 & 0xFF, b = rgb[i + k] & 0xFF;
      y[k] = 0.299 * r + 0.587 * g + 0.114 * b;
      u += (-0.168736 * r - 0.331264 * g + 0.5 * b) / 2;
      v += (0.5 * r - 0.418688 * g - 0.081312 * b) / 2;
    }
    uint8_t* p = &out[i * 2];
    p[0] = clamp(y[0]), p[1] = clamp(u + 128), p[2] = clamp(y[1]), p[3] = clamp(v + 128);
  }
  return out;
}

// The child's body: the program as its entry point runs it, measured by a FrameMeter on the TV
// window. The V4L2 scene puts the stand-in driver behind the TV window, its buffers filled as
// they are made; a timer hands one over every frame time.
int runProgram(Source source) {
  int argc = 1;
  char name[] = "vyx";
  char* argv[] = {name, nullptr};
  gui::VyxApplication app(argc, argv);
  InitMixerObjects();
  capture_test::FakeV4l2Device device;
  device.picture = yuyvPattern;
  if (source == Source::V4l2) {
    platform::CaptureSource::setFactory([&device] {
      return std::make_unique<platform::CaptureSourceV4l2>("/fake", device.io());
    });
  }
  if (viewer::StartProgram() != 0 || !TvScreenWindow) return 1;
  TvScreen* tv = TvScreenWindow.data();
  QTimer feed;
  if (source == Source::V4l2) {
    feed.setTimerType(Qt::PreciseTimer);
    QObject::connect(&feed, &QTimer::timeout, [&device] { device.produceAsIs(); });
    feed.start(kFrameMs);
  }
  uint64_t lastShown = ~uint64_t(0);
  bench::FrameMeter meter(tv, kWarmupFrames, kMeasuredFrames, [tv, &lastShown] {
    const uint64_t n = tv->source().frameCount();
    return std::exchange(lastShown, n) != n;
  });
  std::printf("window=%dx%d\n", tv->width(), tv->height());
  std::fflush(stdout);
  return app.exec();
}

std::vector<std::pair<std::string, std::string>> environmentFor(const std::string& home) {
  return {{"VYX_SIM", "1"}, {"QT_QPA_PLATFORM", bench::QpaPlatform()}, {"VYX_HOME", home}};
}

// Runs one measuring child to its end; null cost (frames 0) when it reported nothing.
bench::FrameCost measure(const std::function<int()>& body, const std::string& home,
                         std::string* window = nullptr) {
  bench::ChildProcess child(environmentFor(home), body);
  bench::FrameCost cost;
  if (window) *window = child.waitForLine("window=", kChildLimitMs);
  const std::string line = child.waitForLine("frames=", kChildLimitMs);
  long long cpu = 0, wall = 0;
  if (std::sscanf(line.c_str(), "frames=%d cpu_ns=%lld wall_ns=%lld", &cost.frames, &cpu,
                  &wall) != 3)
    return {};
  cost.cpuNs = cpu;
  cost.wallNs = wall;
  return cost;
}

std::function<int()> programChild(Source source) {
  return [source] { return runProgram(source); };
}

std::function<int()> floorChild(const Scene& scene) {
  return bench::ChildProcess::exec(
      VYX_MINIMAL_QT, {std::to_string(scene.width), std::to_string(scene.height), "--measure",
                       std::to_string(kWarmupFrames), std::to_string(kMeasuredFrames)});
}

// Runs the two sides of a ratio in turn, `a` first on every other call.
void runPair(benchmark::State& state, const std::function<int()>& a,
             const std::function<int()>& b, const std::string& home, const char* nameA,
             const char* nameB) {
  static int turn = 0;
  bench::FrameCost costA, costB;
  std::string window;
  for (auto _ : state) {
    if (turn++ % 2 == 0) {
      costA = measure(a, home, &window);
      costB = measure(b, home);
    } else {
      costB = measure(b, home);
      costA = measure(a, home, &window);
    }
    if (costA.frames == 0 || costB.frames == 0) {
      state.SkipWithError("a child measured no frames");
      return;
    }
    state.SetIterationTime(costA.cpuPerFrameUs() / 1e6);
  }
  state.counters[std::string(nameA) + "_us"] = costA.cpuPerFrameUs();
  state.counters[std::string(nameB) + "_us"] = costB.cpuPerFrameUs();
  state.counters["ratio"] = costA.cpuPerFrameUs() / costB.cpuPerFrameUs();
  state.SetLabel(window);
}

Scene sceneOf(const benchmark::State& state, Source source) {
  return {int(state.range(0)), int(state.range(1)), Osd(state.range(2)), source,
          Remote(state.range(3))};
}

// vyx against the floor.
void BM_FrameCpu(benchmark::State& state) {
  const Scene scene = sceneOf(state, Source::Sim);
  const std::string home = makeProgramFolder(scene);
  if (home.empty()) return state.SkipWithError("cannot prepare a program folder");
  runPair(state, programChild(Source::Sim), floorChild(scene), home, "vyx", "floor");
  std::filesystem::remove_all(home);
}
BENCHMARK(BM_FrameCpu)
    ->ArgNames({"w", "h", "osd_text", "remote"})
    ->Args({394, 294, kOsdEmpty, kRemoteOn})
    ->Args({394, 294, kOsdText, kRemoteOn})
    ->Args({394, 294, kOsdEmpty, kRemoteOff})
    ->Args({768, 576, kOsdEmpty, kRemoteOn})
    ->Args({768, 576, kOsdText, kRemoteOn})
    ->UseManualTime()
    ->Iterations(1)
    ->Repetitions(5)
    ->Unit(benchmark::kMicrosecond);

// The V4L2 path against the simulated one, both in vyx.
void BM_V4l2FrameCpu(benchmark::State& state) {
  const Scene scene = sceneOf(state, Source::V4l2);
  const std::string home = makeProgramFolder(scene);
  if (home.empty()) return state.SkipWithError("cannot prepare a program folder");
  runPair(state, programChild(Source::V4l2), programChild(Source::Sim), home, "v4l2", "sim");
  std::filesystem::remove_all(home);
}
BENCHMARK(BM_V4l2FrameCpu)
    ->ArgNames({"w", "h", "osd_text", "remote"})
    ->Args({394, 294, kOsdEmpty, kRemoteOn})
    ->Args({768, 576, kOsdEmpty, kRemoteOn})
    ->UseManualTime()
    ->Iterations(1)
    ->Repetitions(5)
    ->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
