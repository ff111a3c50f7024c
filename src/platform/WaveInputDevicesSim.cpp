#include "platform/WaveInputDevicesSim.h"

#include "sim/SimSystem.h"

namespace platform {

namespace {

class SimDevices : public WaveInputDevices {
public:
  bool anyPresent() override { return sim::System().queryWaveInput(); }
};

}  // namespace

WaveInputDevices& SimWaveInputDevices() {
  // Never destroyed: the simulated machine outlives every destructor run at exit.
  static SimDevices& devices = *new SimDevices;
  return devices;
}

}  // namespace platform
