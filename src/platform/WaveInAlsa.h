// The real wave input: an ALSA capture stream read on a thread of its own; filled blocks go to
// the main thread through queued calls.
#pragma once

#include <memory>

#include "platform/WaveIn.h"

namespace platform {

std::unique_ptr<WaveIn> CreateAlsaWaveIn();

}  // namespace platform
