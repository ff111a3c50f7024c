#include "platform/DisplayPowerX11.h"

#include <X11/Xlib.h>
#include <X11/extensions/dpms.h>

#include "platform/X11ErrorTrap.h"

namespace platform {

namespace {

class X11Power : public DisplayPower {
public:
  void setMonitorPower(bool on) override {
    Display* display = XOpenDisplay(nullptr);
    if (!display) return;
    {
      ScopedErrorTrap trap;
      apply(display, on);
      XSync(display, False);
    }
    XCloseDisplay(display);
  }

private:
  void apply(Display* display, bool on) {
    int eventBase = 0, errorBase = 0;
    if (!DPMSQueryExtension(display, &eventBase, &errorBase) || !DPMSCapable(display)) return;
    CARD16 level = 0;
    BOOL enabled = False;
    if (!DPMSInfo(display, &level, &enabled)) return;
    if (!on) {
      // Forcing a level needs power management enabled; enable it only for as long as we keep
      // the monitor off, so the user's own setting comes back with the picture.
      if (!enabled) enabledByUs_ = DPMSEnable(display) != 0;
      DPMSForceLevel(display, DPMSModeOff);
      return;
    }
    if (enabled) DPMSForceLevel(display, DPMSModeOn);
    if (enabledByUs_) DPMSDisable(display);
    enabledByUs_ = false;
  }

  bool enabledByUs_ = false;
};

}  // namespace

DisplayPower& X11DisplayPower() {
  static X11Power power;
  return power;
}

}  // namespace platform
