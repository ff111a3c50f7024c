#include "platform/Mixer.h"

#include "platform/Environment.h"
#include "platform/MixerAlsa.h"
#include "platform/MixerSim.h"

namespace platform {

std::optional<std::pair<uint32_t, MixerLine>> MixerDevice::findDestination(uint32_t componentType) {
  uint32_t count = destinationCount();
  for (uint32_t d = 0; d < count; ++d) {
    auto line = destination(d);
    if (line && line->componentType == componentType) return std::make_pair(d, *line);
  }
  return std::nullopt;
}

std::optional<MixerLine> MixerDevice::findSource(uint32_t destinationIndex,
                                                 const MixerLine& destination,
                                                 uint32_t componentType) {
  // From the last connection down: when a card offers two lines of one type, the later one wins.
  for (uint32_t s = destination.connections; s-- > 0;) {
    auto line = source(destinationIndex, s);
    if (line && line->componentType == componentType) return line;
  }
  return std::nullopt;
}

MixerBackend& MixerBackend::current() {
  if (SimulationEnabled()) return SimMixerBackend();
  return AlsaMixerBackend();
}

}  // namespace platform
