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
  static SimShutdown shutdown;
  return shutdown;
}

}  // namespace platform
