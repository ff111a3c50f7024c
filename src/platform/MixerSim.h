// The simulated backend of the mixer: forwards to the simulated machine's mixer (sim::Mixer()).
#pragma once

#include "platform/Mixer.h"

namespace platform {

MixerBackend& SimMixerBackend();

}  // namespace platform
