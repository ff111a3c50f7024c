// A capture's sound from the machine's sound input (the default wave-input device), in blocks of
// a twentieth of a second.
#pragma once

#include <memory>

#include "platform/WaveIn.h"
#include "platform/capture/CaptureSequence.h"

namespace platform {

class CaptureAudioFeedWaveIn : public CaptureAudioFeed {
public:
  bool start(const AviAudioFormat& format, Sink sink) override;
  void stop() override;

private:
  std::unique_ptr<WaveIn> device_;
};

}  // namespace platform
