#include "platform/SyntheticMouse.h"

#include "platform/Environment.h"
#include "platform/SyntheticMouseSim.h"
#include "platform/SyntheticMouseXTest.h"

namespace platform {

SyntheticMouse& SyntheticMouse::current() {
  if (SimulationEnabled()) return SimSyntheticMouse();
  return XTestSyntheticMouse();
}

}  // namespace platform
