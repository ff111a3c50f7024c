// The real backend of synthetic mouse input: the X server's test extension (XTest) fakes the
// pointer's motion and button events as if they came from the mouse. Without an X display (or
// without the extension) the cursor reads as (0, 0) and every request does nothing.
#pragma once

#include <memory>

#include "platform/SyntheticMouse.h"

namespace platform {

// The program's one backend, with its connection kept for the program's life.
SyntheticMouse& XTestSyntheticMouse();
// A backend of its own, which opens its connection at its first request (tests).
std::unique_ptr<SyntheticMouse> MakeXTestSyntheticMouse();

}  // namespace platform
