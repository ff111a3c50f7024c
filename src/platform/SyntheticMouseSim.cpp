#include "platform/SyntheticMouseSim.h"

#include "sim/SimPointer.h"

namespace platform {

namespace {

sim::PointerButton simButton(MouseButton which) {
  switch (which) {
    case MouseButton::Left: return sim::PointerButton::Left;
    case MouseButton::Middle: return sim::PointerButton::Middle;
    case MouseButton::Right: return sim::PointerButton::Right;
  }
  return sim::PointerButton::Left;
}

sim::PointerAction simAction(MouseAction action) {
  switch (action) {
    case MouseAction::Down: return sim::PointerAction::Down;
    case MouseAction::Up: return sim::PointerAction::Up;
    case MouseAction::DoubleClick: return sim::PointerAction::DoubleClick;
  }
  return sim::PointerAction::Down;
}

class SimMouse : public SyntheticMouse {
public:
  CursorPoint cursorPos() override {
    const sim::PointerPos p = sim::Pointer().position();
    return {p.x, p.y};
  }
  void setCursorPos(CursorPoint p) override { sim::Pointer().moveTo({p.x, p.y}); }
  void button(MouseButton which, MouseAction action) override {
    sim::Pointer().button(simButton(which), simAction(action));
  }
  void nudge() override { sim::Pointer().nudge(); }
};

}  // namespace

SyntheticMouse& SimSyntheticMouse() {
  // Never destroyed: the simulated machine outlives every destructor run at exit.
  static SimMouse& mouse = *new SimMouse;
  return mouse;
}

}  // namespace platform
