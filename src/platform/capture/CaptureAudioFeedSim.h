// The simulated machine's sound input for a capture: a steady 440 Hz tone, handed over every
// 20 ms in as many samples as the time since the start asks for, so that a file's sound lasts
// as long as its pictures.
#pragma once

#include <QElapsedTimer>
#include <QTimer>

#include "platform/capture/CaptureSequence.h"

namespace platform {

class CaptureAudioFeedSim : public CaptureAudioFeed {
public:
  CaptureAudioFeedSim();

  bool start(const AviAudioFormat& format, Sink sink) override;
  void stop() override;

  // Samples handed over since the start.
  uint64_t samplesDelivered() const { return delivered_; }

private:
  void deliver();

  QTimer timer_;
  QElapsedTimer clock_;
  AviAudioFormat format_;
  Sink sink_;
  uint64_t delivered_ = 0;
  std::vector<uint8_t> block_;
};

// The sound input a capture records from on this machine: the simulated one under the
// simulation switch, else the default wave-input device.
std::unique_ptr<CaptureAudioFeed> CreateCaptureAudioFeed();

}  // namespace platform
