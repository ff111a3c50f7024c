#include "platform/WaveInSim.h"

#include <QElapsedTimer>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>
#include <vector>

#include "sim/Bt848Card.h"
#include "sim/SimClock.h"
#include "sim/SimSystem.h"

namespace platform {

namespace {

constexpr int kCheckMs = 5;

class SimWaveIn;

// The devices that record now, for PumpSimWaveIn.
std::vector<SimWaveIn*>& running() {
  static std::vector<SimWaveIn*> list;
  return list;
}

// The tone of the tuned station: a different pitch per station of the lineup; none (silence)
// when nothing is received.
double toneHz() {
  const sim::Bt848Card& card = sim::Card();
  const sim::Station* station = card.tunedStation();
  if (!station) return 0;
  const auto& stations = card.stations();
  const size_t index = size_t(station - stations.data());
  return 330.0 + 55.0 * double(index % 12);
}

class SimWaveIn : public WaveIn {
public:
  SimWaveIn() {
    timer_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer_, &QTimer::timeout, [this] { pump(); });
  }
  ~SimWaveIn() override { stop(); }

  int open(int deviceId, const WaveInFormat& format, uint32_t blockBytes,
           BlockHandler onBlock) override {
    SimWaveInControl& control = SimWaveInControl::current();
    if (control.openError != kWaveInOk) return control.openError;
    if (control.deviceCount <= 0) return kWaveInNoDriver;
    if (deviceId < -1 || deviceId >= control.deviceCount) return kWaveInBadDeviceId;
    if (format.formatTag != 1 || (format.bitsPerSample != 8 && format.bitsPerSample != 16) ||
        format.channels == 0 || format.samplesPerSec == 0 ||
        format.blockAlign != format.channels * format.bitsPerSample / 8)
      return kWaveInBadFormat;
    if (blockBytes < format.blockAlign) return kWaveInInvalParam;
    format_ = format;
    onBlock_ = std::move(onBlock);
    block_.assign(blockBytes, 0);
    open_ = true;
    return kWaveInOk;
  }

  int start() override {
    if (!open_) return kWaveInError;
    if (SimWaveInControl::current().startError != kWaveInOk)
      return SimWaveInControl::current().startError;
    realTime_ = SimWaveInControl::current().realTimePacing;
    startMs_ = sim::Clock().monotonicMs();
    elapsed_.start();
    frames_ = 0;
    hz_ = toneHz();
    running_ = true;
    running().push_back(this);
    timer_.start(kCheckMs);
    return kWaveInOk;
  }

  void stop() override {
    // Stopped from inside the handler: no more blocks (the handler wanted to end).
    if (running_ && !inHandler_) {
      pump();
      const uint64_t partial = dueFrames() - frames_;
      if (running_ && partial > 0) deliver(uint32_t(partial));
    }
    halt();
    open_ = false;
    onBlock_ = nullptr;
  }

  // Hands over every whole block that is due.
  void pump() {
    const uint64_t perBlock = block_.size() / format_.blockAlign;
    while (running_ && dueFrames() - frames_ >= perBlock) deliver(uint32_t(perBlock));
  }

private:
  uint64_t dueFrames() const {
    uint64_t ms = sim::Clock().monotonicMs() - startMs_;
    if (realTime_) ms += uint64_t(elapsed_.elapsed());
    return ms * format_.samplesPerSec / 1000;
  }

  void deliver(uint32_t frames) {
    uint8_t* out = block_.data();
    for (uint32_t i = 0; i < frames; ++i) {
      const double t = double(frames_ + i) / format_.samplesPerSec;
      const double value = hz_ > 0 ? 0.25 * std::sin(2 * std::numbers::pi * hz_ * t) : 0.0;
      for (int c = 0; c < format_.channels; ++c) {
        if (format_.bitsPerSample == 8) {
          *out++ = uint8_t(128 + std::lround(value * 127));
        } else {
          const int16_t sample = int16_t(std::lround(value * 32767));
          std::memcpy(out, &sample, 2);
          out += 2;
        }
      }
    }
    frames_ += frames;
    // The handler may stop this device; it then sees no further blocks.
    BlockHandler handler = onBlock_;
    inHandler_ = true;
    if (handler) handler(block_.data(), frames * format_.blockAlign);
    inHandler_ = false;
  }

  void halt() {
    timer_.stop();
    if (running_) {
      auto& list = running();
      list.erase(std::remove(list.begin(), list.end(), this), list.end());
    }
    running_ = false;
  }

  QTimer timer_;
  QElapsedTimer elapsed_;
  WaveInFormat format_;
  BlockHandler onBlock_;
  std::vector<uint8_t> block_;
  uint64_t startMs_ = 0;
  uint64_t frames_ = 0;
  double hz_ = 0;
  bool open_ = false;
  bool running_ = false;
  bool realTime_ = true;
  bool inHandler_ = false;
};

}  // namespace

SimWaveInControl& SimWaveInControl::current() {
  static SimWaveInControl control;
  return control;
}

void SimWaveInControl::Reset() { current() = SimWaveInControl(); }

std::unique_ptr<WaveIn> CreateSimWaveIn() { return std::make_unique<SimWaveIn>(); }

void PumpSimWaveIn() {
  // A handler may stop a device (and so change the list): pump a copy, skipping stopped ones.
  const std::vector<SimWaveIn*> devices = running();
  for (SimWaveIn* device : devices)
    if (std::find(running().begin(), running().end(), device) != running().end()) device->pump();
}

}  // namespace platform
