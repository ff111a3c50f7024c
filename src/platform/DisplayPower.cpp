#include "platform/DisplayPower.h"

#include "platform/DisplayPowerSim.h"
#include "platform/DisplayPowerX11.h"
#include "platform/Environment.h"

namespace platform {

DisplayPower& DisplayPower::current() {
  if (SimulationEnabled()) return SimDisplayPower();
  return X11DisplayPower();
}

}  // namespace platform
