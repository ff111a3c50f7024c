#include "platform/GlobalHotKeyX11.h"

#include <QSocketNotifier>

#include <X11/Xlib.h>

#include <memory>

#include "platform/GlobalHotKeyKeys.h"

namespace platform {

namespace {

// Set by the error handler while a grab is checked: another client holds the key.
bool grabRefused = false;

int RecordError(Display*, XErrorEvent*) {
  grabRefused = true;
  return 0;
}

constexpr unsigned int kLockStates[] = {0, LockMask, Mod2Mask, LockMask | Mod2Mask};

class X11HotKey : public GlobalHotKey {
public:
  ~X11HotKey() override { release(); }

  bool grab(uint32_t modifiers, uint32_t vk) override {
    release();
    const unsigned long symbol = HotKeySymbol(vk);
    if (!symbol) return false;
    display_ = XOpenDisplay(nullptr);
    if (!display_) return false;
    keycode_ = XKeysymToKeycode(display_, symbol);
    mask_ = (modifiers & kModControl ? ControlMask : 0u) | (modifiers & kModShift ? ShiftMask : 0u);
    if (!keycode_ || !grabAll()) {
      closeDisplay();
      return false;
    }
    notifier_ = std::make_unique<QSocketNotifier>(ConnectionNumber(display_),
                                                  QSocketNotifier::Read);
    connect(notifier_.get(), &QSocketNotifier::activated, this, [this] { drain(); });
    return true;
  }

  void release() override {
    if (!display_) return;
    const Window root = DefaultRootWindow(display_);
    for (unsigned int lock : kLockStates) XUngrabKey(display_, keycode_, mask_ | lock, root);
    XSync(display_, False);
    closeDisplay();
  }

  bool grabbed() const override { return display_ != nullptr; }

private:
  bool grabAll() {
    const Window root = DefaultRootWindow(display_);
    grabRefused = false;
    XErrorHandler previous = XSetErrorHandler(RecordError);
    for (unsigned int lock : kLockStates)
      XGrabKey(display_, keycode_, mask_ | lock, root, True, GrabModeAsync, GrabModeAsync);
    XSync(display_, False);
    XSetErrorHandler(previous);
    if (!grabRefused) return true;
    for (unsigned int lock : kLockStates) XUngrabKey(display_, keycode_, mask_ | lock, root);
    XSync(display_, False);
    return false;
  }

  void drain() {
    bool hit = false;
    while (display_ && XPending(display_)) {
      XEvent event;
      XNextEvent(display_, &event);
      hit = hit || (event.type == KeyPress && event.xkey.keycode == keycode_ &&
                    (event.xkey.state & (ControlMask | ShiftMask)) == mask_);
    }
    if (hit) emit pressed();
  }

  void closeDisplay() {
    notifier_.reset();
    if (display_) XCloseDisplay(display_);
    display_ = nullptr;
  }

  Display* display_ = nullptr;
  KeyCode keycode_ = 0;
  unsigned int mask_ = 0;
  std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace

GlobalHotKey& X11GlobalHotKey() {
  static X11HotKey hotKey;
  return hotKey;
}

}  // namespace platform
