// Monitor power: switching the monitor off and back on.
#pragma once

namespace platform {

class DisplayPower {
public:
  virtual ~DisplayPower() = default;
  virtual void setMonitorPower(bool on) = 0;

  // The simulated display under the simulation switch, else the X display's power management.
  static DisplayPower& current();
};

}  // namespace platform
