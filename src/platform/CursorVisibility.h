// Showing and hiding the mouse cursor over the program's windows, by a display count as Windows
// keeps it: showing adds one, hiding takes one away, and the cursor shows while the count is 0
// or more. So n hides need n shows to bring the cursor back.
#pragma once

namespace platform {

class CursorVisibility {
public:
  virtual ~CursorVisibility() = default;
  // Returns the count afterwards. GUI thread only.
  virtual int showCursor(bool show) = 0;

  // The simulated desktop under the simulation switch, else Qt's override cursor.
  static CursorVisibility& current();
};

}  // namespace platform
