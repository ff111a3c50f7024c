// The simulated backend of the display mode: the simulated desktop (sim::Desktop()), which offers
// a list of modes a test can replace, can be told that no mode change is possible, and logs every
// change and restore. Its emergency restore goes through sim::Desktop().restoreFromHandler().
#pragma once

#include "platform/DisplayMode.h"

namespace platform {

DisplayMode& SimDisplayMode();

}  // namespace platform
