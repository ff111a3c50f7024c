// The simulated backend of program starts: the simulated machine's programs (sim::Processes()).
// Only programs a test has installed start; a started one runs until the test ends it, and wait()
// blocks until then. Every start, failed ones too, is logged.
#pragma once

#include "platform/ProcessLauncher.h"

namespace platform {

ProcessLauncher& SimProcessLauncher();

}  // namespace platform
