// Keyboard and mouse input in Windows' terms: virtual-key codes and the shift
// state of key and mouse events, translated from Qt's.
#pragma once

#include <Qt>

#include <cstdint>

namespace gui {

// Shift state of key and mouse events.
enum : unsigned {
  ssShift = 0x01, ssAlt = 0x02, ssCtrl = 0x04, ssLeft = 0x08, ssRight = 0x10, ssMiddle = 0x20,
  ssDouble = 0x40,
};
using TShiftState = unsigned;

enum : uint16_t {
  VK_LBUTTON = 0x01, VK_RBUTTON = 0x02, VK_CANCEL = 0x03, VK_MBUTTON = 0x04, VK_BACK = 0x08,
  VK_TAB = 0x09, VK_CLEAR = 0x0C, VK_RETURN = 0x0D, VK_SHIFT = 0x10, VK_CONTROL = 0x11,
  VK_MENU = 0x12, VK_PAUSE = 0x13, VK_CAPITAL = 0x14, VK_ESCAPE = 0x1B, VK_SPACE = 0x20,
  VK_PRIOR = 0x21, VK_NEXT = 0x22, VK_END = 0x23, VK_HOME = 0x24, VK_LEFT = 0x25, VK_UP = 0x26,
  VK_RIGHT = 0x27, VK_DOWN = 0x28, VK_SELECT = 0x29, VK_PRINT = 0x2A, VK_SNAPSHOT = 0x2C,
  VK_INSERT = 0x2D, VK_DELETE = 0x2E, VK_HELP = 0x2F, VK_LWIN = 0x5B, VK_RWIN = 0x5C,
  VK_APPS = 0x5D, VK_NUMPAD0 = 0x60, VK_MULTIPLY = 0x6A, VK_ADD = 0x6B, VK_SEPARATOR = 0x6C,
  VK_SUBTRACT = 0x6D, VK_DECIMAL = 0x6E, VK_DIVIDE = 0x6F, VK_F1 = 0x70, VK_F24 = 0x87,
  VK_NUMLOCK = 0x90, VK_SCROLL = 0x91, VK_VOLUME_MUTE = 0xAD, VK_VOLUME_DOWN = 0xAE,
  VK_VOLUME_UP = 0xAF, VK_MEDIA_NEXT_TRACK = 0xB0, VK_MEDIA_PREV_TRACK = 0xB1,
  VK_MEDIA_STOP = 0xB2, VK_MEDIA_PLAY_PAUSE = 0xB3, VK_OEM_1 = 0xBA, VK_OEM_PLUS = 0xBB,
  VK_OEM_COMMA = 0xBC, VK_OEM_MINUS = 0xBD, VK_OEM_PERIOD = 0xBE, VK_OEM_2 = 0xBF,
  VK_OEM_3 = 0xC0, VK_OEM_4 = 0xDB, VK_OEM_5 = 0xDC, VK_OEM_6 = 0xDD, VK_OEM_7 = 0xDE,
};
// Letters and digits are their upper-case ASCII codes ('A' = 0x41, '0' = 0x30).

// The virtual key of a Qt key (keypad digits and operators with Qt::KeypadModifier map to the
// numeric-pad keys; shifted symbols to their unshifted key on a US layout); 0 when none.
uint16_t VirtualKeyFromQt(int qtKey, Qt::KeyboardModifiers modifiers);
// The Qt key of a virtual key (numeric-pad keys give the plain digit or symbol); 0 when none.
int QtKeyFromVirtualKey(uint16_t key);
TShiftState ShiftStateFromQt(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons);

}  // namespace gui
