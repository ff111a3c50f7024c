#include "platform/SystemShutdown.h"

#include "platform/Environment.h"
#include "platform/SystemShutdownLogind.h"
#include "platform/SystemShutdownSim.h"

namespace platform {

SystemShutdown& SystemShutdown::current() {
  if (SimulationEnabled()) return SimSystemShutdown();
  return LogindSystemShutdown();
}

}  // namespace platform
