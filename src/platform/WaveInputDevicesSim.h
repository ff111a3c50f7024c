// The simulated backend of the wave-input question: asks the simulated machine
// (sim::System().queryWaveInput(), present unless a test says otherwise).
#pragma once

#include "platform/WaveInputDevices.h"

namespace platform {

WaveInputDevices& SimWaveInputDevices();

}  // namespace platform
