#include "platform/SyntheticMouseXTest.h"

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

#include "platform/X11ErrorTrap.h"

namespace platform {

namespace {

unsigned buttonNumber(MouseButton which) {
  switch (which) {
    case MouseButton::Left: return 1;
    case MouseButton::Middle: return 2;
    case MouseButton::Right: return 3;
  }
  return 1;
}

// One connection for the program's life: the remote's poll reads the cursor 50 times a second.
class XTestMouse : public SyntheticMouse {
public:
  ~XTestMouse() override {
    if (display_) XCloseDisplay(display_);
  }

  CursorPoint cursorPos() override {
    Display* d = display();
    if (!d) return {};
    ScopedErrorTrap trap;
    Window root = 0, child = 0;
    int x = 0, y = 0, wx = 0, wy = 0;
    unsigned mask = 0;
    if (!XQueryPointer(d, DefaultRootWindow(d), &root, &child, &x, &y, &wx, &wy, &mask))
      return {};
    return {x, y};
  }

  void setCursorPos(CursorPoint p) override {
    Display* d = display();
    if (!d) return;
    ScopedErrorTrap trap;
    XTestFakeMotionEvent(d, -1, p.x, p.y, CurrentTime);
    XSync(d, False);
  }

  // X knows no double-click event: a double click is two clicks in quick succession, which
  // the receiving toolkit recognises by their timing.
  void button(MouseButton which, MouseAction action) override {
    Display* d = display();
    if (!d) return;
    ScopedErrorTrap trap;
    const unsigned number = buttonNumber(which);
    switch (action) {
      case MouseAction::Down: XTestFakeButtonEvent(d, number, True, CurrentTime); break;
      case MouseAction::Up: XTestFakeButtonEvent(d, number, False, CurrentTime); break;
      case MouseAction::DoubleClick:
        for (int i = 0; i < 2; ++i) {
          XTestFakeButtonEvent(d, number, True, CurrentTime);
          XTestFakeButtonEvent(d, number, False, CurrentTime);
        }
        break;
    }
    XSync(d, False);
  }

  // A faked motion is input as far as the server is concerned; a null one may be dropped
  // before it reaches the idle timers, so the screen saver is told directly as well.
  void nudge() override {
    Display* d = display();
    if (!d) return;
    ScopedErrorTrap trap;
    XTestFakeRelativeMotionEvent(d, 0, 0, CurrentTime);
    XResetScreenSaver(d);
    XSync(d, False);
  }

private:
  // Opened at the first request and kept; null for good when there is no display then or it
  // lacks the extension.
  Display* display() {
    if (tried_) return display_;
    tried_ = true;
    Display* d = XOpenDisplay(nullptr);
    if (!d) return nullptr;
    int event = 0, error = 0, major = 0, minor = 0;
    if (!XTestQueryExtension(d, &event, &error, &major, &minor)) {
      XCloseDisplay(d);
      return nullptr;
    }
    display_ = d;
    return display_;
  }

  bool tried_ = false;
  Display* display_ = nullptr;
};

}  // namespace

SyntheticMouse& XTestSyntheticMouse() {
  static XTestMouse mouse;
  return mouse;
}

std::unique_ptr<SyntheticMouse> MakeXTestSyntheticMouse() { return std::make_unique<XTestMouse>(); }

}  // namespace platform
