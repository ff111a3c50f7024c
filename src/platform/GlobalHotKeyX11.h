// The X server's side of global hot keys: a passive key grab on the root window through a
// connection of its own, open only while a combination is held; the grab is made for every
// state of Caps Lock and Num Lock, which X counts as modifiers.
#pragma once

#include "platform/GlobalHotKey.h"

namespace platform {

GlobalHotKey& X11GlobalHotKey();

}  // namespace platform
