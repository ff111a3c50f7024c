// The simulated desktop's mouse pointer: where the cursor is, and every synthetic request the
// program made of it (moves, button events, activity nudges), in order. The cursor stays on the
// current display mode's screen (sim::Desktop()), as a real one does.
#pragma once

#include <vector>

namespace sim {

struct PointerPos {
  int x = 0;
  int y = 0;
  friend bool operator==(const PointerPos&, const PointerPos&) = default;
};

enum class PointerButton { Left, Middle, Right };
enum class PointerAction { Down, Up, DoubleClick };

struct PointerEvent {
  enum class Kind { Move, Button, Nudge };
  Kind kind = Kind::Move;
  PointerPos pos;  // where the cursor was after the request
  PointerButton button = PointerButton::Left;
  PointerAction action = PointerAction::Down;
  friend bool operator==(const PointerEvent&, const PointerEvent&) = default;
};

class SimPointer {
public:
  // Cursor at (0, 0), no requests.
  void reset() { *this = SimPointer(); }

  PointerPos position() const { return pos_; }
  // Moves the cursor, kept on the screen, and records the request.
  void moveTo(PointerPos p);
  // The user moves the mouse: the cursor goes there, nothing is recorded.
  void userMove(PointerPos p) { pos_ = clamped(p); }
  void button(PointerButton which, PointerAction action);
  void nudge();

  const std::vector<PointerEvent>& events() const { return events_; }
  void clearEvents() { events_.clear(); }

private:
  static PointerPos clamped(PointerPos p);

  PointerPos pos_;
  std::vector<PointerEvent> events_;
};

// The pointer of the one simulated machine.
SimPointer& Pointer();

}  // namespace sim
