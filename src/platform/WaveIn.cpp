#include "platform/WaveIn.h"

#include "platform/Environment.h"
#include "platform/WaveInAlsa.h"
#include "platform/WaveInSim.h"

namespace platform {

std::unique_ptr<WaveIn> WaveIn::create() {
  if (SimulationEnabled()) return CreateSimWaveIn();
  return CreateAlsaWaveIn();
}

std::string WaveInErrorText(int code) {
  switch (code) {
    case kWaveInOk: return "The command completed successfully.";
    case kWaveInError: return "An unspecified error occurred in the sound input device.";
    case kWaveInBadDeviceId: return "The sound input device number is out of range.";
    case kWaveInAllocated: return "The sound input device is already in use by another program.";
    case kWaveInNoDriver: return "There is no sound input device on this machine.";
    case kWaveInNoMem: return "There is not enough memory for the sound input buffers.";
    case kWaveInInvalParam: return "An invalid parameter was passed to the sound input device.";
    case kWaveInBadFormat:
      return "The sound input device cannot record in the requested format.";
    default: return "Undefined sound input error " + std::to_string(code) + ".";
  }
}

}  // namespace platform
