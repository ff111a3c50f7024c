// The real backend of synthetic mouse input: the X server's test extension (XTest) fakes the
// pointer's motion and button events as if they came from the mouse. Without an X display (or
// without the extension) the cursor reads as (0, 0) and every request does nothing.
#pragma once

#include "platform/SyntheticMouse.h"

namespace platform {

SyntheticMouse& XTestSyntheticMouse();

}  // namespace platform
