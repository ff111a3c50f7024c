#include "platform/capture/CaptureAudioFeedSim.h"
#include "platform/capture/CaptureAudioFeedWaveIn.h"

#include <cmath>
#include <cstring>
#include <numbers>

#include "platform/Environment.h"

namespace platform {

namespace {

constexpr int kIntervalMs = 20;
constexpr double kToneHz = 440.0;

}  // namespace

CaptureAudioFeedSim::CaptureAudioFeedSim() {
  timer_.setTimerType(Qt::PreciseTimer);
  QObject::connect(&timer_, &QTimer::timeout, [this] { deliver(); });
}

bool CaptureAudioFeedSim::start(const AviAudioFormat& format, Sink sink) {
  if ((format.bitsPerSample != 8 && format.bitsPerSample != 16) || format.channels <= 0 ||
      format.samplesPerSec <= 0)
    return false;
  format_ = format;
  sink_ = std::move(sink);
  delivered_ = 0;
  clock_.start();
  timer_.start(kIntervalMs);
  return true;
}

void CaptureAudioFeedSim::stop() {
  deliver();
  timer_.stop();
  sink_ = nullptr;
}

void CaptureAudioFeedSim::deliver() {
  if (!sink_) return;
  const uint64_t due =
      static_cast<uint64_t>(clock_.nsecsElapsed() / 1000) * format_.samplesPerSec / 1000000;
  if (due <= delivered_) return;
  const uint64_t count = due - delivered_;
  const int block = format_.blockAlign();
  block_.resize(count * block);
  uint8_t* out = block_.data();
  for (uint64_t i = 0; i < count; ++i) {
    const double t = static_cast<double>(delivered_ + i) / format_.samplesPerSec;
    const double value = 0.25 * std::sin(2 * std::numbers::pi * kToneHz * t);
    for (int c = 0; c < format_.channels; ++c) {
      if (format_.bitsPerSample == 8) {
        *out++ = static_cast<uint8_t>(128 + std::lround(value * 127));
      } else {
        const int16_t sample = static_cast<int16_t>(std::lround(value * 32767));
        std::memcpy(out, &sample, 2);
        out += 2;
      }
    }
  }
  delivered_ = due;
  sink_(block_.data(), block_.size());
}

std::unique_ptr<CaptureAudioFeed> CreateCaptureAudioFeed() {
  if (SimulationEnabled()) return std::make_unique<CaptureAudioFeedSim>();
  return std::make_unique<CaptureAudioFeedWaveIn>();
}

}  // namespace platform
