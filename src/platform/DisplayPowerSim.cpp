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
  // Never destroyed: the simulated machine outlives every destructor run at exit.
  static SimPower& power = *new SimPower;
  return power;
}

}  // namespace platform
