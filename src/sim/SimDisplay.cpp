#include "sim/SimDisplay.h"

namespace sim {

void SimDisplay::setMonitorPower(bool on) {
  requests_.push_back(on);
  if (powerManagement_) monitorOn_ = on;
}

SimDisplay& Display() {
  static SimDisplay display;
  return display;
}

}  // namespace sim
