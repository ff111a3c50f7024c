// The real backend of the wave-input question: ALSA's sound cards. A card counts when one of its
// PCM devices offers a capture stream. Software devices of the ALSA configuration ("default",
// "null", sound-server plug-ins) are not counted: most configurations define them whether or not
// anything can record, so they would make the answer always yes.
#pragma once

#include "platform/WaveInputDevices.h"

namespace platform {

WaveInputDevices& AlsaWaveInputDevices();

}  // namespace platform
