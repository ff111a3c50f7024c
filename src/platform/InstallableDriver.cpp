#include "platform/InstallableDriver.h"

#include "platform/Environment.h"
#include "platform/InstallableDriverNone.h"
#include "platform/InstallableDriverSim.h"

namespace platform {

InstallableDriverBackend& InstallableDriverBackend::current() {
  if (SimulationEnabled()) return SimInstallableDriverBackend();
  return NoInstallableDriverBackend();
}

}  // namespace platform
