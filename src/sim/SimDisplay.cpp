#include "sim/SimDisplay.h"

namespace sim {

void SimDisplay::setMonitorPower(bool on) {
  requests_.push_back(on);
  if (powerManagement_) monitorOn_ = on;
}

SimDisplay& Display() {
  // Never destroyed: the simulated machine outlives every destructor run at exit.
  static SimDisplay& display = *new SimDisplay;
  return display;
}

}  // namespace sim
