// Synthetic mouse input: reading and setting the cursor position, pressing and releasing the
// mouse buttons as if the user had, and a null move that counts as user activity. The remote
// control's mouse mode and the keep-awake nudge drive the desktop through it.
#pragma once

namespace platform {

struct CursorPoint {
  int x = 0;
  int y = 0;
  friend bool operator==(const CursorPoint&, const CursorPoint&) = default;
};

enum class MouseButton { Left, Middle, Right };
// A double click leaves the button up again.
enum class MouseAction { Down, Up, DoubleClick };

class SyntheticMouse {
public:
  virtual ~SyntheticMouse() = default;

  // Screen coordinates; (0, 0) where there is no desktop.
  virtual CursorPoint cursorPos() = 0;
  // The desktop keeps the cursor on the screen.
  virtual void setCursorPos(CursorPoint p) = 0;
  // The event goes where a real one at the cursor would: to the window under it, or to the one
  // that has grabbed the mouse.
  virtual void button(MouseButton which, MouseAction action) = 0;
  // A relative move of (0, 0): user activity for screen savers and power saving, without
  // moving anything.
  virtual void nudge() = 0;

  // The simulated desktop under the simulation switch, else the X server's test extension.
  static SyntheticMouse& current();
};

}  // namespace platform
