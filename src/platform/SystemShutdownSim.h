// The simulated backend of power-off: recorded by the simulated machine (sim::System().powerOff),
// which can be told to refuse. It never switches anything off.
#pragma once

#include "platform/SystemShutdown.h"

namespace platform {

SystemShutdown& SimSystemShutdown();

}  // namespace platform
