// The real backend of power-off: the login manager's PowerOff call on the system bus
// (org.freedesktop.login1.Manager, not interactive: no password prompt). When the bus or the call
// fails, "systemctl poweroff" is started instead. Under the simulation switch it refuses and does
// nothing, so that no test or demo run can switch the machine off even if it reaches this
// backend directly.
#pragma once

#include "platform/SystemShutdown.h"

namespace platform {

SystemShutdown& LogindSystemShutdown();

}  // namespace platform
