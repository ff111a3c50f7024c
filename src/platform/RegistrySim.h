// The simulated backend of the registry: forwards to the simulated machine's registry
// (sim::Registry()).
#pragma once

#include "platform/Registry.h"

namespace platform {

RegistryBackend& SimRegistryBackend();

}  // namespace platform
