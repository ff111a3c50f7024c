// The real backend of monitor power: the X display's power management (DPMS). Without an X
// display, or on one that does not offer it (Wayland, offscreen), switching does nothing.
#pragma once

#include "platform/DisplayPower.h"

namespace platform {

DisplayPower& X11DisplayPower();

}  // namespace platform
