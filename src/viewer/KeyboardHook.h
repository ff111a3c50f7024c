// The hot keys: one keyboard hook for the whole program, so that the keys act whichever of its
// windows has the focus. It is an application-wide event filter that looks at every key event
// once, as the window system delivers it to one of the program's windows, and lets every event
// go on to the focused control: an acted-on key reaches it too.
//
// The hook is installed at start-up and removed while something else needs the keys: a text
// field with the focus, the scheduler window, a running scan, the external capture program.
// Installing is idempotent (there is never more than one hook), and removing a removed hook does
// nothing, so the sites need not know what the others did.
#pragma once

#include <QObject>

#include <cstdint>
#include <memory>

class QKeyEvent;
class QWidget;

// The installed hook; null while removed.
extern std::unique_ptr<QObject>& KeyboardHook;
// Inverted on every auto-repeated key press, cleared by a fresh press: a key held down acts on
// every second repeat.
extern bool& KeyRepeatParity;

// Installs the hook unless it is installed.
void InstallKeyboardHook();
// Removes the hook.
void RemoveKeyboardHook();

// For a text field: the hook is removed while the field has the focus and installed again when
// the focus leaves it (not for the field's own context menu), or when the field goes away with
// the focus.
void KeepHotKeysOffWhileFocused(QWidget* field);

// The key flags of a key event, as the hook reads them.
enum : uint32_t {
  kKeyAltDown = 1u << 29,     // Alt is held
  kKeyWasDown = 1u << 30,     // the key was already down: an auto-repeat
  kKeyReleased = 1u << 31,    // the key goes up
};
// The virtual key and the flags of a Qt key event; key 0 for a key without a virtual key.
struct HookKey {
  uint16_t key = 0;
  uint32_t flags = 0;
};
HookKey HookKeyOf(const QKeyEvent& event);

// One key event: `code` below 0 passes it on untouched. While the capture window is shown no
// key acts. Otherwise AltKeyDown follows the Alt flag and a key press acts on its key
// (HotKeyAction); a release never acts, an auto-repeat acts on every second repeat.
void KeyboardHookProc(int code, uint16_t key, uint32_t flags);

// The action of a hot key (VyxuHotkeys.cpp). Keys outside 13..112 and keys without an action do
// nothing.
void HotKeyAction(uint16_t key);
