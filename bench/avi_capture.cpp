// AVI capture of the simulated 768 x 576 PAL picture at 25 frames a second with 44.1 kHz 16-bit
// stereo sound, as the program runs it: the capture window shown at that size with its overlay
// on, the capture's worker thread writing the file. Each run lasts VYX_BENCH_AVI_SECONDS
// (default 60) of wall time, as the card delivers in real time.
//   BM_OverlayOnly     the window showing the picture, no capture: the cost the capture adds to
//   BM_Capture/raw     capture into 24-bit raw frames
//   BM_Capture/mjpeg   capture into Motion JPEG (quality 85)
//   BM_EncoderFloor/*  the same number of the same frames handed straight to the writer, no
//                      window, no queue, no timing: the encoder's and muxer's own speed
// Counters: frames, frames dropped (goal 0), processor time of all threads per frame (us).
// The figure is (capture - overlay only) / encoder floor, per frame.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>

#include <time.h>

#include <cmath>
#include <cstdlib>

#include "platform/capture/AviWriter.h"
#include "platform/capture/CaptureAudioFeedSim.h"
#include "platform/capture/CaptureWindow.h"
#include "sim/Bt848Card.h"
#include "sim/SimTuner.h"
#include "sim/SimVideoDevices.h"

namespace {

using platform::AviVideoCodec;

int64_t ProcessCpuNs() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return int64_t(t.tv_sec) * 1000000000 + t.tv_nsec;
}

int Seconds() {
  const char* text = std::getenv("VYX_BENCH_AVI_SECONDS");
  const int seconds = text ? std::atoi(text) : 0;
  return seconds > 0 ? seconds : 60;
}

// The card tuned to the "Sim Five" PAL station with unit picture gains, as on a channel.
void TuneToStation() {
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

struct Window {
  Window() {
    TuneToStation();
    window.resize(768, 576);
    window.show();
    window.driverConnect(0);
    window.setOverlay(true);
  }
  platform::CaptureWindow window;
};

void Report(benchmark::State& state, double frames, double dropped, int64_t cpuNs) {
  state.counters["frames"] = frames;
  state.counters["dropped"] = dropped;
  state.counters["cpu_us_per_frame"] = frames > 0 ? double(cpuNs) / frames / 1000.0 : 0;
}

void BM_OverlayOnly(benchmark::State& state) {
  Window w;
  QApplication::processEvents();
  for (auto _ : state) {
    const uint64_t before = w.window.source().frameCount();
    const int64_t cpu = ProcessCpuNs();
    QEventLoop loop;
    QTimer::singleShot(Seconds() * 1000, &loop, &QEventLoop::quit);
    loop.exec();
    Report(state, double(w.window.source().frameCount() - before), 0, ProcessCpuNs() - cpu);
  }
}

void BM_Capture(benchmark::State& state) {
  Window w;
  QTemporaryDir dir;
  platform::CaptureSequence& sequence = w.window.sequence();
  platform::CaptureParms parms;
  parms.dwRequestMicroSecPerFrame = 40000;
  parms.wNumVideoRequested = 10;
  parms.fAbortLeftMouse = parms.fAbortRightMouse = false;
  parms.fLimitEnabled = true;
  parms.wTimeLimit = static_cast<uint32_t>(Seconds());
  sequence.setParms(parms);
  sequence.setCaptureFile(dir.filePath("bench.avi").toStdString());
  sequence.setVideoCodec(static_cast<AviVideoCodec>(state.range(0)), 85);
  sequence.setAudioFormat({2, 44100, 16});
  sequence.setAudioFeed(std::make_unique<platform::CaptureAudioFeedSim>());
  for (auto _ : state) {
    const int64_t cpu = ProcessCpuNs();
    if (!sequence.run()) state.SkipWithError("the capture failed");
    const platform::CapStatus status = sequence.status();
    Report(state, status.dwCurrentVideoFrame, status.dwCurrentVideoFramesDropped,
           ProcessCpuNs() - cpu);
  }
}

void BM_EncoderFloor(benchmark::State& state) {
  Window w;
  QImage frame = w.window.grabFrame().convertToFormat(QImage::Format_RGB32);
  QTemporaryDir dir;
  std::string error;
  auto writer = platform::CreateAviWriter(&error);
  if (!writer) {
    state.SkipWithError(error.c_str());
    return;
  }
  const int frames = Seconds() * 25;
  std::vector<uint8_t> second(44100 * 4);
  platform::AviVideoFormat video{frame.width(), frame.height(), 40000,
                                 static_cast<AviVideoCodec>(state.range(0)), 85};
  platform::AviAudioFormat audio{2, 44100, 16};
  for (auto _ : state) {
    const int64_t cpu = ProcessCpuNs();
    writer->open(dir.filePath("floor.avi").toStdString(), video, &audio);
    for (int i = 0; i < frames; ++i) {
      writer->writeVideo(frame.constBits(), frame.bytesPerLine(), i);
      if (i % 25 == 0) writer->writeAudio(second.data(), second.size());
    }
    writer->close();
    Report(state, frames, 0, ProcessCpuNs() - cpu);
  }
}

BENCHMARK(BM_OverlayOnly)->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK(BM_Capture)
    ->ArgName("mjpeg")
    ->Arg(int(AviVideoCodec::Raw))
    ->Arg(int(AviVideoCodec::Mjpeg))
    ->Iterations(1)
    ->Unit(benchmark::kSecond);
BENCHMARK(BM_EncoderFloor)
    ->ArgName("mjpeg")
    ->Arg(int(AviVideoCodec::Raw))
    ->Arg(int(AviVideoCodec::Mjpeg))
    ->Iterations(1)
    ->Unit(benchmark::kSecond);

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
