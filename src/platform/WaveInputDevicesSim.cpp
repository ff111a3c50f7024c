#include "platform/WaveInputDevicesSim.h"

#include "platform/WaveInSim.h"
#include "sim/SimSystem.h"

namespace platform {

namespace {

class SimDevices : public WaveInputDevices {
public:
  bool anyPresent() override { return sim::System().queryWaveInput(); }
  std::vector<std::string> names() override {
    std::vector<std::string> list;
    for (int i = 0; i < SimWaveInControl::current().deviceCount; ++i)
      list.push_back("Simulated TV card sound input " + std::to_string(i + 1));
    return list;
  }
  std::string defaultName() override { return "Simulated sound mapper"; }
};

}  // namespace

WaveInputDevices& SimWaveInputDevices() {
  // Never destroyed: the simulated machine outlives every destructor run at exit.
  static SimDevices& devices = *new SimDevices;
  return devices;
}

}  // namespace platform
