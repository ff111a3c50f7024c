// The simulated backend of the cursor: the simulated desktop keeps and logs the count
// (sim::Desktop().showCursor).
#pragma once

#include "platform/CursorVisibility.h"

namespace platform {

CursorVisibility& SimCursorVisibility();

}  // namespace platform
