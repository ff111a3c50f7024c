#include "platform/WaveInputDevices.h"

#include "platform/Environment.h"
#include "platform/WaveInputDevicesAlsa.h"
#include "platform/WaveInputDevicesSim.h"

namespace platform {

WaveInputDevices& WaveInputDevices::current() {
  if (SimulationEnabled()) return SimWaveInputDevices();
  return AlsaWaveInputDevices();
}

}  // namespace platform
