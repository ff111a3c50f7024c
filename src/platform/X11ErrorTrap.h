// While a ScopedErrorTrap lives, X errors are ignored: Xlib's default error handler ends the
// process, but a request the server refuses must only make that request fail.
#pragma once

#include <X11/Xlib.h>

namespace platform {

class ScopedErrorTrap {
public:
  ScopedErrorTrap() : previous_(XSetErrorHandler(&ScopedErrorTrap::ignore)) {}
  ~ScopedErrorTrap() { XSetErrorHandler(previous_); }
  ScopedErrorTrap(const ScopedErrorTrap&) = delete;
  ScopedErrorTrap& operator=(const ScopedErrorTrap&) = delete;

private:
  static int ignore(Display*, XErrorEvent*) { return 0; }
  XErrorHandler previous_;
};

}  // namespace platform
