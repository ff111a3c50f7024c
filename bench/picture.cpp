// The simulated picture path as the TV window runs it, frame by frame: the simulated card's
// frame is drawn, wrapped in a QImage, scaled to a 768 x 576 window as the capture window scales
// it, and copied into the window's backing store as its paint event does. The goal is at least
// 250 frames a second on one core (items_per_second).
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QPainter>

#include <cmath>
#include <cstdlib>

#include "platform/capture/CaptureSourceSim.h"
#include "platform/capture/CaptureWindow.h"
#include "sim/Bt848Card.h"
#include "sim/SimVideoDevices.h"

namespace {

constexpr QSize kWindow(768, 576);

// The last scene changes the brightness register before every frame (a slider being dragged),
// so the pattern is converted again each time instead of coming from the cache.
enum Scene { kPalStation, kNtscStation, kPalSnow, kPalStationAdjusting };

// The card as the program leaves it on a channel: tuner input, unit picture gains, and either
// the "Sim Five" station (PAL or NTSC format) or an empty frequency.
void setScene(Scene scene) {
  sim::Bt848Card& card = sim::Card();
  card.reset();
  sim::VideoDevices().reset();
  card.poke(sim::bt::kIform, 0x40 | (scene == kNtscStation ? 1 : 3));
  card.poke(0x030, 0xD8);  // CONTRAST_LO
  card.poke(0x034, 0xFE);  // SAT_U_LO
  card.poke(0x038, 0xB4);  // SAT_V_LO
  const double mhz = scene == kPalSnow ? 200.0 : 191.25;
  const int divider = static_cast<int>(std::lround(mhz * 16)) + sim::SimTuner::kTvIf;
  card.tuner().write(0x8E, 0x90);
  card.tuner().write(static_cast<uint8_t>(divider >> 8), static_cast<uint8_t>(divider));
}

void BM_PictureToWindow(benchmark::State& state) {
  setScene(static_cast<Scene>(state.range(0)));
  platform::CaptureSourceSim source;
  if (!source.connectDriver(0)) {
    state.SkipWithError("no simulated capture device");
    return;
  }
  QImage backingStore(kWindow, QImage::Format_RGB32);
  const bool adjusting = state.range(0) == kPalStationAdjusting;
  uint32_t brightness = 0;
  for (auto _ : state) {
    if (adjusting) sim::Card().poke(0x028, ++brightness & 0x7F);  // BRIGHT
    source.grabFrame();
    const QImage scaled = platform::CaptureWindow::scaleFrame(source.latestFrame(), kWindow);
    QPainter p(&backingStore);
    p.drawImage(QPoint(0, 0), scaled);
  }
  benchmark::DoNotOptimize(backingStore.constBits());
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_PictureToWindow)
    ->Arg(kPalStation)->Arg(kNtscStation)->Arg(kPalSnow)->Arg(kPalStationAdjusting)
    ->ArgName("scene")->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  setenv("VYX_SIM", "1", 0);
  benchmark::Initialize(&argc, argv);
  QGuiApplication app(argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
