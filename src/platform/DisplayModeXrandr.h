// The real backend of the display mode: XRandR 1.2 or later on the X display named by $DISPLAY,
// through a connection of our own. The display is the primary output when it is lit, else the
// first lit output; its CRTC's mode is the current mode. A change picks one of the output's modes
// and, when that output is the only one lit, makes the screen (the desktop) the mode's size, as
// Windows does. Without a display, or on a display without RandR 1.2 (Wayland
// without X, offscreen), no mode change is possible.
#pragma once

#include "platform/DisplayMode.h"

namespace platform {

DisplayMode& XrandrDisplayMode();

}  // namespace platform
