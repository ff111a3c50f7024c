// The sound system's backend of the mixer: the simple mixer elements of the first ALSA card.
// The playback side is the speakers destination and the capture side the wave-input destination;
// source lines are the elements whose names match their component type ("Line", "Mic", "CD", ...),
// the destination line itself is "Master" (playback) or "Capture". Volumes 0..65535 are scaled to
// each element's own range; mute is the element's switch inverted.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/Mixer.h"

namespace platform {

MixerBackend& AlsaMixerBackend();

// Element names that stand for a component type, in order of preference; kMixerSourceNone asks
// for the destination line itself. Empty when no element stands for the type.
std::vector<const char*> AlsaElementNames(uint32_t componentType, bool capture);

// 0..65535 to an element's range [min, max] and back, rounding to the nearest step.
long ScaleToElementRange(uint32_t value, long min, long max);
uint32_t ScaleFromElementRange(long raw, long min, long max);

}  // namespace platform
