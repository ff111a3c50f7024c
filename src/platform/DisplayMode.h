// The display's mode: its size in pixels and its refresh rate. The program reads it at start,
// changes it for full screen at a lower resolution and changes it back afterwards.
//
// A mode the program set must not outlive the program. From the first successful change until
// the display is back in the mode it had before (by restore(), or by setMode() to that mode), an
// emergency restore is armed: it puts the display back when the process ends by exit() or by one
// of SIGTERM, SIGINT, SIGSEGV and SIGABRT. See DisplayMode.cpp for how.
#pragma once

#include <optional>

namespace platform {

struct ScreenMode {
  int width = 0;
  int height = 0;
  int refreshHz = 0;

  bool operator==(const ScreenMode&) const = default;
};

class DisplayMode {
public:
  virtual ~DisplayMode() = default;

  // The mode in use; nothing when it cannot be read (no display).
  virtual std::optional<ScreenMode> currentMode() = 0;
  // False when the mode cannot be changed at all (no display, or a display without the mode
  // extension); then full screen only maximises the window.
  virtual bool modeChangePossible() = 0;

  // Changes the display to a mode it offers of that size whose refresh lies within 1 Hz of
  // mode.refreshHz (any refresh when it is 0). False, and nothing changes, when there is no such
  // mode or the change fails. The mode in use before the first change is remembered.
  bool setMode(const ScreenMode& mode);
  // Puts the remembered mode back and disarms the emergency restore. True when nothing had been
  // changed or the mode is back.
  bool restore();
  // True while the display is in a mode the program set.
  bool modeChanged() const { return changed_; }

  // The simulated desktop under the simulation switch, else XRandR.
  static DisplayMode& current();

protected:
  virtual bool applyMode(const ScreenMode& mode) = 0;
  // Remembers whatever the two restores need; called before the first change.
  virtual bool saveOriginal() = 0;
  virtual bool restoreOriginal() = 0;
  // The emergency restore: runs at most once per arming, possibly inside a signal handler, so it
  // must not lock or allocate.
  virtual void restoreInEmergency() noexcept = 0;

private:
  friend class EmergencyRestore;

  std::optional<ScreenMode> original_;
  bool changed_ = false;
};

}  // namespace platform
