#include "platform/CursorVisibilitySim.h"

#include "sim/SimDesktop.h"

namespace platform {

namespace {

class SimCursor : public CursorVisibility {
public:
  int showCursor(bool show) override { return sim::Desktop().showCursor(show); }
};

}  // namespace

CursorVisibility& SimCursorVisibility() {
  // Never destroyed: the simulated machine outlives every destructor run at exit.
  static SimCursor& cursor = *new SimCursor;
  return cursor;
}

}  // namespace platform
