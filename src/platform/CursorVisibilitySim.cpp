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
  static SimCursor cursor;
  return cursor;
}

}  // namespace platform
