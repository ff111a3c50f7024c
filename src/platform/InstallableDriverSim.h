// The simulated backend of installable drivers: drivers a test has made present
// (sim::System().setDriverPresent) open; every open, message (with the block as the driver
// received it) and close is logged; the block query 0x4CF fills the block with a known pattern.
#pragma once

#include "platform/InstallableDriver.h"

namespace platform {

InstallableDriverBackend& SimInstallableDriverBackend();

}  // namespace platform
