#include "platform/Shell.h"

#include "platform/Environment.h"
#include "platform/ShellQt.h"
#include "platform/ShellSim.h"

namespace platform {

Shell& Shell::current() {
  if (SimulationEnabled()) return SimShellBackend();
  return QtShell();
}

}  // namespace platform
