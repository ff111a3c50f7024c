// The simulated display's monitor power: every request is recorded in order; the monitor's state
// follows them unless the display is told it has no power management.
#pragma once

#include <vector>

namespace sim {

class SimDisplay {
public:
  // Monitor on, power management offered, no requests.
  void reset() { *this = SimDisplay(); }

  void setPowerManagement(bool offered) { powerManagement_ = offered; }
  void setMonitorPower(bool on);

  bool monitorOn() const { return monitorOn_; }
  // Every request, true = on, in order.
  const std::vector<bool>& powerRequests() const { return requests_; }

private:
  bool powerManagement_ = true;
  bool monitorOn_ = true;
  std::vector<bool> requests_;
};

// The display of the one simulated machine.
SimDisplay& Display();

}  // namespace sim
