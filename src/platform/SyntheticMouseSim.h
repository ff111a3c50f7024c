// The simulated backend of synthetic mouse input: the simulated desktop's pointer
// (sim::Pointer()) keeps the position and records every request.
#pragma once

#include "platform/SyntheticMouse.h"

namespace platform {

SyntheticMouse& SimSyntheticMouse();

}  // namespace platform
