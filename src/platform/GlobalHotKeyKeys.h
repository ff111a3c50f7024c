// The keys a global hot key can be: Windows virtual-key codes and their X key symbols.
#pragma once

#include <cstdint>

namespace platform {

// The X key symbol of virtual-key code `vk`, or 0 when it is not one of the hot keys (Escape,
// Space, End, Home, Print Screen, 0-9, A-Z, F1-F12).
unsigned long HotKeySymbol(uint32_t vk);

}  // namespace platform
