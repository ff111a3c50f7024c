// The real backend of the wave-input question: ALSA's sound cards. A card counts when one of its
// PCM devices offers a capture stream. Software devices of the ALSA configuration ("default",
// "null", sound-server plug-ins) are not counted: most configurations define them whether or not
// anything can record, so they would make the answer always yes.
#pragma once

#include <string>
#include <vector>

#include "platform/WaveInputDevices.h"

namespace platform {

WaveInputDevices& AlsaWaveInputDevices();

// A capture device: the ALSA name to open it by and the name shown.
struct AlsaCaptureDevice {
  std::string pcm;
  std::string name;
};
std::vector<AlsaCaptureDevice> AlsaCaptureDevices();

}  // namespace platform
