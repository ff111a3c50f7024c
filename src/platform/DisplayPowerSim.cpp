#include "platform/DisplayPowerSim.h"

#include "sim/SimDisplay.h"

namespace platform {

namespace {

class SimPower : public DisplayPower {
public:
  void setMonitorPower(bool on) override { sim::Display().setMonitorPower(on); }
};

}  // namespace

DisplayPower& SimDisplayPower() {
  static SimPower power;
  return power;
}

}  // namespace platform
