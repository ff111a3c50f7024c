#include "platform/NamedLock.h"

#include "platform/Environment.h"
#include "platform/NamedLockFiles.h"
#include "platform/NamedLockSim.h"

namespace platform {

NamedLockBackend& NamedLockBackend::current() {
  if (SimulationEnabled()) return SimNamedLockBackend();
  return FileNamedLockBackend();
}

}  // namespace platform
