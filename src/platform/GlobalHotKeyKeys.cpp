#include "platform/GlobalHotKeyKeys.h"

#include <X11/keysym.h>

namespace platform {

unsigned long HotKeySymbol(uint32_t vk) {
  switch (vk) {
    case 0x1B: return XK_Escape;
    case 0x20: return XK_space;
    case 0x23: return XK_End;
    case 0x24: return XK_Home;
    case 0x2C: return XK_Print;
    default: break;
  }
  if (vk >= 0x30 && vk <= 0x39) return XK_0 + (vk - 0x30);
  if (vk >= 0x41 && vk <= 0x5A) return XK_a + (vk - 0x41);
  if (vk >= 0x70 && vk <= 0x7B) return XK_F1 + (vk - 0x70);
  return 0;
}

}  // namespace platform
