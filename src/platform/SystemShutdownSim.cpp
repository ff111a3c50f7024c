#include "platform/SystemShutdownSim.h"

#include "sim/SimSystem.h"

namespace platform {

namespace {

class SimShutdown : public SystemShutdown {
public:
  bool powerOff() override { return sim::System().powerOff(); }
};

}  // namespace

SystemShutdown& SimSystemShutdown() {
  // Never destroyed: the simulated machine outlives every destructor run at exit.
  static SimShutdown& shutdown = *new SimShutdown;
  return shutdown;
}

}  // namespace platform
