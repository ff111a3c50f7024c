#include "platform/CursorVisibility.h"

#include "platform/CursorVisibilityQt.h"
#include "platform/CursorVisibilitySim.h"
#include "platform/Environment.h"

namespace platform {

CursorVisibility& CursorVisibility::current() {
  if (SimulationEnabled()) return SimCursorVisibility();
  return QtCursorVisibility();
}

}  // namespace platform
