// The TV standard of the capture driver's analogue video decoder. The program names standards by
// the bits of the analog video standard mask it stores and passes around; the driver is told the
// matching V4L2 standard.
#pragma once

#include <cstdint>
#include <memory>

namespace platform {

// Bits of the analog video standard mask that the program passes.
enum AnalogVideoStandard : uint32_t {
  kAnalogNtscM = 0x1,
  kAnalogNtscMJ = 0x2,
  kAnalogPalB = 0x10,
  kAnalogPalH = 0x80,
  kAnalogPalM = 0x200,
  kAnalogPalN = 0x400,
  kAnalogSecamD = 0x2000,
};

// The V4L2 standard (v4l2_std_id) a mask means: the union of its known bits' standards; 0 for a
// mask without any known bit.
uint64_t V4l2StandardOf(uint32_t analogMask);

// A bound capture device; destroying it releases the device.
class CaptureDevice {
public:
  virtual ~CaptureDevice() = default;
  // Whether the device has an analogue decoder that takes a standard at all.
  virtual bool hasDecoder() = 0;
  virtual bool setStandard(uint64_t v4l2Standard) = 0;
};

class VideoStandardBackend {
public:
  virtual ~VideoStandardBackend() = default;

  // Looks through the machine's video capture devices and binds the first one to `device`
  // (null when there is none). False only when the devices cannot be looked through at all.
  virtual bool bindFirstCaptureDevice(std::unique_ptr<CaptureDevice>& device) = 0;

  // The simulated devices under the simulation switch, else V4L2's.
  static VideoStandardBackend& current();
};

}  // namespace platform
