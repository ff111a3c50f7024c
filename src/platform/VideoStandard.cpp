#include "platform/VideoStandard.h"

#include <linux/videodev2.h>

#include "platform/Environment.h"
#include "platform/VideoStandardSim.h"
#include "platform/VideoStandardV4l2.h"

namespace platform {

uint64_t V4l2StandardOf(uint32_t analogMask) {
  struct Row {
    uint32_t bit;
    uint64_t standard;
  };
  static constexpr Row kRows[] = {
      {kAnalogNtscM, V4L2_STD_NTSC_M},   {kAnalogNtscMJ, V4L2_STD_NTSC_M_JP},
      {kAnalogPalB, V4L2_STD_PAL_B},     {kAnalogPalH, V4L2_STD_PAL_H},
      {kAnalogPalM, V4L2_STD_PAL_M},     {kAnalogPalN, V4L2_STD_PAL_N},
      {kAnalogSecamD, V4L2_STD_SECAM_D},
  };
  uint64_t out = 0;
  for (const Row& r : kRows)
    if (analogMask & r.bit) out |= r.standard;
  return out;
}

VideoStandardBackend& VideoStandardBackend::current() {
  if (SimulationEnabled()) return SimVideoStandardBackend();
  return V4l2VideoStandardBackend();
}

}  // namespace platform
