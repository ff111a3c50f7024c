#include "viewer/KeyboardHook.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QWidget>

#include "gui/VirtualKeys.h"
#include "gui/VyxApplication.h"
#include "recording/Capt.h"
#include "viewer/ViewerGlobals.h"

namespace {

// Qt hands a key event first to the window it arrived at, then to the focused control and, while
// no one accepts it, to that control's parents: looking only at the window's delivery sees each
// key once. Events the program sends to its own controls never pass through a window.
class KeyboardHookFilter : public QObject {
protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    const QEvent::Type type = event->type();
    if (type != QEvent::KeyPress && type != QEvent::KeyRelease) return false;
    // Keys typed into a message box are its own: the Space or Enter that closes a box about a
    // failed snapshot must not take another one behind it.
    if (watched->isWindowType() && !QApplication::activeModalWidget()) {
      const HookKey k = HookKeyOf(*static_cast<const QKeyEvent*>(event));
      // A key's action that fails (a snapshot without a picture) is shown, and the key still
      // reaches the focused control.
      try {
        KeyboardHookProc(0, k.key, k.flags);
      } catch (...) {
        gui::VyxApplication::HandleException();
      }
    }
    return false;
  }
};

// Watches a text field's focus for KeepHotKeysOffWhileFocused; the field owns it.
class TextFieldFocus : public QObject {
public:
  explicit TextFieldFocus(QWidget* field) : QObject(field) { field->installEventFilter(this); }
  // A field destroyed while it has the focus gives the keys back.
  ~TextFieldFocus() override {
    if (removed_) InstallKeyboardHook();
  }

protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::FocusIn) {
      RemoveKeyboardHook();
      removed_ = true;
    } else if (event->type() == QEvent::FocusOut &&
               static_cast<const QFocusEvent*>(event)->reason() != Qt::PopupFocusReason) {
      // The field's context menu takes the focus for a moment; its keys are no hot keys.
      InstallKeyboardHook();
      removed_ = false;
    }
    return false;
  }

private:
  bool removed_ = false;
};

}  // namespace

void InstallKeyboardHook() {
  QCoreApplication* app = QCoreApplication::instance();
  if (KeyboardHook || !app) return;
  KeyboardHook = std::make_unique<KeyboardHookFilter>();
  app->installEventFilter(KeyboardHook.get());
}

void RemoveKeyboardHook() {
  if (!KeyboardHook) return;
  if (QCoreApplication* app = QCoreApplication::instance())
    app->removeEventFilter(KeyboardHook.get());
  KeyboardHook.reset();
}

void KeepHotKeysOffWhileFocused(QWidget* field) {
  if (field) new TextFieldFocus(field);
}

HookKey HookKeyOf(const QKeyEvent& event) {
  HookKey k;
  k.key = gui::VirtualKeyFromQt(event.key(), event.modifiers());
  const bool released = event.type() == QEvent::KeyRelease;
  // The Alt key's own events carry the state before them on some systems: its press would read
  // "up" and its release "down". Its own direction says whether it is held.
  const bool alt = k.key == gui::VK_MENU ? !released : bool(event.modifiers() & Qt::AltModifier);
  if (alt) k.flags |= kKeyAltDown;
  if (released) k.flags |= kKeyReleased | kKeyWasDown;
  else if (event.isAutoRepeat()) k.flags |= kKeyWasDown;
  return k;
}

void KeyboardHookProc(int code, uint16_t key, uint32_t flags) {
  if (code < 0) return;
  // The capture window has its own abort key; no hot key acts while it is shown.
  if (Form3 && Form3->isVisible()) return;
  AltKeyDown = (flags & kKeyAltDown) != 0;
  // A key acts once when it goes down: never on its release, so a release that never came (the
  // key let go over another program) shifts nothing.
  if (flags & kKeyReleased) return;
  if (flags & kKeyWasDown) {
    KeyRepeatParity = !KeyRepeatParity;
    if (KeyRepeatParity) return;
  } else {
    KeyRepeatParity = false;
  }
  HotKeyAction(key);
}
