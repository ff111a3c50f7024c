// The simulated machine's desktop: the display modes the monitor offers, the current one, and the
// cursor's display count. Mode changes, restores and cursor requests go to the system log
// (sim::SystemLog()).
//
// A restore made by the program's emergency handler (at exit, or from a fatal signal) must not
// lock or allocate, so it goes through restoreFromHandler(), which only sets the current mode,
// counts, and, when a witness descriptor is set, writes the restored mode to it as three native
// 32-bit integers (width, height, refresh). A test in a child process reads them from a pipe.
#pragma once

#include <atomic>
#include <vector>

namespace sim {

struct SimScreenMode {
  int width = 0;
  int height = 0;
  int refreshHz = 0;

  bool operator==(const SimScreenMode&) const = default;
};

class SimDesktop {
public:
  SimDesktop() { reset(); }

  // Modes 1024x768 (current), 800x600, 640x480, 400x300 and 320x240, all at 60 Hz; mode changes
  // possible; cursor count 0; no witness. Leaves the log alone.
  void reset();

  // The modes offered; the first becomes the current one. An empty list is ignored.
  void setModes(const std::vector<SimScreenMode>& modes);
  const std::vector<SimScreenMode>& modes() const { return modes_; }
  // False: the display offers no mode changes (no display, no mode extension).
  void setModeChangePossible(bool possible) { changePossible_ = possible; }
  bool modeChangePossible() const { return changePossible_; }

  SimScreenMode currentMode() const { return {width_, height_, refresh_}; }
  // Changes to an offered mode of that size whose refresh lies within 1 Hz of refreshHz (any
  // refresh when refreshHz is 0). False, and nothing changes, otherwise.
  bool setMode(int width, int height, int refreshHz);
  void restore(const SimScreenMode& mode);

  // See above. Async-signal-safe.
  void restoreFromHandler(const SimScreenMode& mode) noexcept;
  void setRestoreWitness(int fd) { witness_ = fd; }
  int handlerRestores() const { return handlerRestores_; }

  // Mirrors the system's cursor display count: the cursor shows while it is 0 or more.
  int showCursor(bool show);
  int cursorCount() const { return cursorCount_; }
  bool cursorVisible() const { return cursorCount_ >= 0; }

private:
  std::vector<SimScreenMode> modes_;
  bool changePossible_ = true;
  // Plain integers, so that the emergency restore can write them from a signal handler.
  volatile int width_ = 0;
  volatile int height_ = 0;
  volatile int refresh_ = 0;
  volatile int witness_ = -1;
  std::atomic<int> handlerRestores_{0};
  int cursorCount_ = 0;
};

// The desktop of the one simulated machine.
SimDesktop& Desktop();

}  // namespace sim
