// The simulated backend of monitor power: forwards to the simulated display (sim::Display()).
#pragma once

#include "platform/DisplayPower.h"

namespace platform {

DisplayPower& SimDisplayPower();

}  // namespace platform
