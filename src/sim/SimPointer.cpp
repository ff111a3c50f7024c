#include "sim/SimPointer.h"

#include <algorithm>

#include "sim/SimDesktop.h"

namespace sim {

PointerPos SimPointer::clamped(PointerPos p) {
  const SimScreenMode mode = Desktop().currentMode();
  return {std::clamp(p.x, 0, std::max(mode.width - 1, 0)),
          std::clamp(p.y, 0, std::max(mode.height - 1, 0))};
}

void SimPointer::moveTo(PointerPos p) {
  pos_ = clamped(p);
  PointerEvent e;
  e.kind = PointerEvent::Kind::Move;
  e.pos = pos_;
  events_.push_back(e);
}

void SimPointer::button(PointerButton which, PointerAction action) {
  PointerEvent e;
  e.kind = PointerEvent::Kind::Button;
  e.pos = pos_;
  e.button = which;
  e.action = action;
  events_.push_back(e);
}

void SimPointer::nudge() {
  PointerEvent e;
  e.kind = PointerEvent::Kind::Nudge;
  e.pos = pos_;
  events_.push_back(e);
}

SimPointer& Pointer() {
  // Never destroyed: the simulated machine outlives every destructor run at exit.
  static SimPointer& pointer = *new SimPointer;
  return pointer;
}

}  // namespace sim
