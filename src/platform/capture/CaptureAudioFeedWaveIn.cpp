#include "platform/capture/CaptureAudioFeedWaveIn.h"

#include <algorithm>

namespace platform {

namespace {

constexpr int kBlocksPerSecond = 20;

}  // namespace

bool CaptureAudioFeedWaveIn::start(const AviAudioFormat& format, Sink sink) {
  stop();
  WaveInFormat wave;
  wave.channels = uint16_t(format.channels);
  wave.samplesPerSec = uint32_t(format.samplesPerSec);
  wave.bitsPerSample = uint16_t(format.bitsPerSample);
  wave.blockAlign = uint16_t(format.blockAlign());
  const uint32_t frames = std::max<uint32_t>(1, wave.samplesPerSec / kBlocksPerSecond);
  device_ = WaveIn::create();
  if (!device_ || device_->open(-1, wave, frames * wave.blockAlign,
                                [sink = std::move(sink)](const uint8_t* data, uint32_t size) {
                                  sink(data, size);
                                }) != kWaveInOk ||
      device_->start() != kWaveInOk) {
    stop();
    return false;
  }
  return true;
}

void CaptureAudioFeedWaveIn::stop() {
  if (device_) device_->stop();
  device_.reset();
}

}  // namespace platform
