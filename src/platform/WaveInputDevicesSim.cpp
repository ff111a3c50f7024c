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
  static SimDevices devices;
  return devices;
}

}  // namespace platform
