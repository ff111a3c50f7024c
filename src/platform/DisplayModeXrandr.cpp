#include "platform/DisplayModeXrandr.h"

#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>

#include <cmath>
#include <memory>
#include <optional>
#include <vector>

#include "platform/X11ErrorTrap.h"

namespace platform {

namespace {

struct FreeResources {
  void operator()(XRRScreenResources* r) const { XRRFreeScreenResources(r); }
};
struct FreeCrtcInfo {
  void operator()(XRRCrtcInfo* c) const { XRRFreeCrtcInfo(c); }
};
struct FreeOutputInfo {
  void operator()(XRROutputInfo* o) const { XRRFreeOutputInfo(o); }
};
using Resources = std::unique_ptr<XRRScreenResources, FreeResources>;
using CrtcInfo = std::unique_ptr<XRRCrtcInfo, FreeCrtcInfo>;
using OutputInfo = std::unique_ptr<XRROutputInfo, FreeOutputInfo>;

double refreshOf(const XRRModeInfo& m) {
  double lines = m.vTotal;
  if (m.modeFlags & RR_DoubleScan) lines *= 2;
  if (m.modeFlags & RR_Interlace) lines /= 2;
  return m.hTotal != 0 && lines > 0 ? m.dotClock / (m.hTotal * lines) : 0;
}

const XRRModeInfo* findMode(const XRRScreenResources* res, RRMode id) {
  for (int i = 0; i < res->nmode; ++i)
    if (res->modes[i].id == id) return &res->modes[i];
  return nullptr;
}

bool sideways(Rotation r) { return (r & (RR_Rotate_90 | RR_Rotate_270)) != 0; }

struct ScreenSize {
  int width = 0;
  int height = 0;
  int mmWidth = 0;
  int mmHeight = 0;
};

// What a CRTC shows, enough to show it again; and the screen around it when it is the only lit one.
struct CrtcSetting {
  RRCrtc crtc = 0;
  RRMode mode = 0;
  int x = 0;
  int y = 0;
  Rotation rotation = RR_Rotate_0;
  std::vector<RROutput> outputs;
  bool onlyLit = false;
  ScreenSize screen;
};

// The lit output that is the program's display, with its CRTC.
struct Target {
  Resources resources;
  RROutput output = 0;
  CrtcInfo crtc;
  RRCrtc crtcId = 0;
};

std::optional<Target> findTarget(Display* dpy) {
  Window root = DefaultRootWindow(dpy);
  Target t;
  t.resources.reset(XRRGetScreenResourcesCurrent(dpy, root));
  if (!t.resources) return std::nullopt;
  RROutput primary = XRRGetOutputPrimary(dpy, root);
  std::vector<RROutput> order;
  if (primary) order.push_back(primary);
  for (int i = 0; i < t.resources->noutput; ++i)
    if (t.resources->outputs[i] != primary) order.push_back(t.resources->outputs[i]);
  for (RROutput id : order) {
    OutputInfo out(XRRGetOutputInfo(dpy, t.resources.get(), id));
    if (!out || out->connection != RR_Connected || !out->crtc) continue;
    CrtcInfo crtc(XRRGetCrtcInfo(dpy, t.resources.get(), out->crtc));
    if (!crtc || !crtc->mode) continue;
    t.output = id;
    t.crtcId = out->crtc;
    t.crtc = std::move(crtc);
    return t;
  }
  return std::nullopt;
}

int litCrtcCount(Display* dpy, XRRScreenResources* res) {
  int lit = 0;
  for (int i = 0; i < res->ncrtc; ++i) {
    CrtcInfo crtc(XRRGetCrtcInfo(dpy, res, res->crtcs[i]));
    if (crtc && crtc->mode) ++lit;
  }
  return lit;
}

// Sets the CRTC and, for a lone CRTC, the screen. The screen can only shrink once the CRTC fits,
// and can only hold a larger CRTC once it has grown, so its size is asked for both before and
// after; the request that does not fit yet fails harmlessly. Uses neither locks of ours nor the
// heap, so that the emergency restore can call it.
bool applySetting(Display* dpy, XRRScreenResources* res, const CrtcSetting& s) noexcept {
  ScopedErrorTrap trap;
  Window root = DefaultRootWindow(dpy);
  const ScreenSize& z = s.screen;
  if (s.onlyLit) XRRSetScreenSize(dpy, root, z.width, z.height, z.mmWidth, z.mmHeight);
  Status status =
      XRRSetCrtcConfig(dpy, res, s.crtc, CurrentTime, s.x, s.y, s.mode, s.rotation,
                       const_cast<RROutput*>(s.outputs.data()), static_cast<int>(s.outputs.size()));
  if (s.onlyLit) XRRSetScreenSize(dpy, root, z.width, z.height, z.mmWidth, z.mmHeight);
  XSync(dpy, False);
  return status == RRSetConfigSuccess;
}

class XrandrMode : public DisplayMode {
public:
  ~XrandrMode() override {
    if (emergencyResources_) XRRFreeScreenResources(emergencyResources_);
    if (emergency_) XCloseDisplay(emergency_);
    if (display_) XCloseDisplay(display_);
  }

  std::optional<ScreenMode> currentMode() override {
    Display* dpy = display();
    if (!dpy) return std::nullopt;
    auto t = findTarget(dpy);
    if (!t) return std::nullopt;
    const XRRModeInfo* m = findMode(t->resources.get(), t->crtc->mode);
    int refresh = m ? static_cast<int>(std::lround(refreshOf(*m))) : 0;
    return ScreenMode{static_cast<int>(t->crtc->width), static_cast<int>(t->crtc->height), refresh};
  }

  bool modeChangePossible() override { return currentMode().has_value(); }

protected:
  bool applyMode(const ScreenMode& want) override {
    Display* dpy = display();
    if (!dpy) return false;
    auto t = findTarget(dpy);
    if (!t) return false;
    const XRRModeInfo* mode = chooseMode(dpy, *t, want);
    if (!mode) return false;
    CrtcSetting s = settingOf(*t);
    s.mode = mode->id;
    s.onlyLit = saved_.onlyLit;
    int width = static_cast<int>(sideways(s.rotation) ? mode->height : mode->width);
    int height = static_cast<int>(sideways(s.rotation) ? mode->width : mode->height);
    s.screen = screenOf(s.x + width, s.y + height);
    return applySetting(dpy, t->resources.get(), s);
  }

  bool saveOriginal() override {
    Display* dpy = display();
    if (!dpy) return false;
    auto t = findTarget(dpy);
    if (!t) return false;
    saved_ = settingOf(*t);
    saved_.onlyLit = litCrtcCount(dpy, t->resources.get()) == 1;
    Window root = 0;
    int x = 0, y = 0;
    unsigned width = 0, height = 0, border = 0, depth = 0;
    XGetGeometry(dpy, DefaultRootWindow(dpy), &root, &x, &y, &width, &height, &border, &depth);
    saved_.screen = screenOf(static_cast<int>(width), static_cast<int>(height));
    prepareEmergency();
    return true;
  }

  bool restoreOriginal() override {
    Display* dpy = display();
    if (!dpy) return false;
    Resources res(XRRGetScreenResourcesCurrent(dpy, DefaultRootWindow(dpy)));
    return res && applySetting(dpy, res.get(), saved_);
  }

  void restoreInEmergency() noexcept override {
    if (emergency_ && emergencyResources_) applySetting(emergency_, emergencyResources_, saved_);
  }

private:
  Display* display() {
    if (!opened_) {
      opened_ = true;
      display_ = openWithRandr();
    }
    return display_;
  }

  static Display* openWithRandr() {
    Display* dpy = XOpenDisplay(nullptr);
    if (!dpy) return nullptr;
    int eventBase = 0, errorBase = 0, major = 0, minor = 0;
    if (!XRRQueryExtension(dpy, &eventBase, &errorBase) || !XRRQueryVersion(dpy, &major, &minor) ||
        major < 1 || (major == 1 && minor < 2)) {
      XCloseDisplay(dpy);
      return nullptr;
    }
    return dpy;
  }

  // The emergency restore's own connection and resources, fetched now: in a signal handler
  // there is no asking the server for them.
  void prepareEmergency() {
    if (!emergency_) emergency_ = openWithRandr();
    if (emergencyResources_) XRRFreeScreenResources(emergencyResources_);
    emergencyResources_ = nullptr;
    if (emergency_)
      emergencyResources_ = XRRGetScreenResourcesCurrent(emergency_, DefaultRootWindow(emergency_));
  }

  // The output's mode of the wanted size nearest the wanted refresh, within 1 Hz; the mode we
  // started in wins among equals, so going back gives exactly the timing we started with.
  const XRRModeInfo* chooseMode(Display* dpy, const Target& t, const ScreenMode& want) {
    OutputInfo out(XRRGetOutputInfo(dpy, t.resources.get(), t.output));
    if (!out) return nullptr;
    bool turned = sideways(t.crtc->rotation);
    const XRRModeInfo* best = nullptr;
    double bestDistance = 0;
    for (int i = 0; i < out->nmode; ++i) {
      const XRRModeInfo* m = findMode(t.resources.get(), out->modes[i]);
      if (!m) continue;
      int width = static_cast<int>(turned ? m->height : m->width);
      int height = static_cast<int>(turned ? m->width : m->height);
      if (width != want.width || height != want.height) continue;
      if (want.refreshHz == 0) return m;  // outputs list their preferred modes first
      double distance = std::fabs(refreshOf(*m) - want.refreshHz);
      if (distance > 1.0) continue;
      if (!best || distance < bestDistance || (m->id == saved_.mode && distance <= bestDistance)) {
        best = m;
        bestDistance = distance;
      }
    }
    return best;
  }

  static CrtcSetting settingOf(const Target& t) {
    CrtcSetting s;
    s.crtc = t.crtcId;
    s.mode = t.crtc->mode;
    s.x = t.crtc->x;
    s.y = t.crtc->y;
    s.rotation = t.crtc->rotation;
    s.outputs.assign(t.crtc->outputs, t.crtc->outputs + t.crtc->noutput);
    return s;
  }

  // A screen of that size at the display's physical resolution.
  ScreenSize screenOf(int width, int height) {
    int screen = DefaultScreen(display_);
    int pxWidth = DisplayWidth(display_, screen), pxHeight = DisplayHeight(display_, screen);
    ScreenSize z{width, height, width, height};
    if (pxWidth > 0 && pxHeight > 0) {
      z.mmWidth =
          static_cast<int>(std::lround(double(width) * DisplayWidthMM(display_, screen) / pxWidth));
      z.mmHeight = static_cast<int>(
          std::lround(double(height) * DisplayHeightMM(display_, screen) / pxHeight));
    }
    return z;
  }

  Display* display_ = nullptr;
  bool opened_ = false;
  CrtcSetting saved_;
  Display* emergency_ = nullptr;
  XRRScreenResources* emergencyResources_ = nullptr;
};

}  // namespace

DisplayMode& XrandrDisplayMode() {
  static XrandrMode mode;
  return mode;
}

}  // namespace platform
