#include "core/TvStandardPath.h"

#include <memory>

#include "platform/VideoStandard.h"

uint8_t ComActive = 0;

namespace {

// What an attach holds: the path itself and the bound device, if the machine has one.
struct Path {
  bool attached = false;
  std::unique_ptr<platform::CaptureDevice> device;
};

Path& path() {
  static Path p;
  return p;
}

}  // namespace

bool ComAttach() {
  // Attaching twice must not keep the first device open behind the second binding.
  ComDetach();
  std::unique_ptr<platform::CaptureDevice> device;
  if (!platform::VideoStandardBackend::current().bindFirstCaptureDevice(device)) return false;
  path().device = std::move(device);
  path().attached = true;
  return true;
}

void ComDetach() {
  Path& p = path();
  p.device.reset();
  p.attached = false;
}

void ComSetTVSystem(uint32_t mask) {
  platform::CaptureDevice* device = path().device.get();
  if (!device || !device->hasDecoder()) return;
  uint64_t standard = platform::V4l2StandardOf(mask);
  if (standard != 0) device->setStandard(standard);  // the driver's answer changes nothing here
}

// Nothing is connected to the bound device's outputs (the picture comes through the capture
// window), so there is no stream to start or stop: both succeed while the path is attached.
bool ComStopPreview() { return !path().attached; }

bool ComStartPreview() { return !path().attached; }
