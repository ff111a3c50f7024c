// The simulated backend of the TV standard: forwards to the simulated machine's capture devices
// (sim::VideoDevices()).
#pragma once

#include "platform/VideoStandard.h"

namespace platform {

VideoStandardBackend& SimVideoStandardBackend();

}  // namespace platform
