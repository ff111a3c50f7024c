#include "platform/GlobalHotKey.h"

#include "platform/Environment.h"
#include "platform/GlobalHotKeySim.h"
#include "platform/GlobalHotKeyX11.h"

namespace platform {

GlobalHotKey& GlobalHotKey::current() {
  if (SimulationEnabled()) return SimGlobalHotKey();
  return X11GlobalHotKey();
}

}  // namespace platform
