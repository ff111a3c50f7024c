#include "core/TvStandardPath.h"

#include <memory>

#include "platform/VideoStandard.h"

bool ComAttach() {
  // Attaching twice must not keep the first device open behind the second binding.
  ComDetach();
  std::unique_ptr<platform::CaptureDevice> device;
  if (!platform::VideoStandardBackend::current().bindFirstCaptureDevice(device)) return false;
  StandardPath.device = std::move(device);
  StandardPath.attached = true;
  return true;
}

void ComDetach() {
  StandardPath.device.reset();
  StandardPath.attached = false;
}

void ComSetTVSystem(uint32_t mask) {
  platform::CaptureDevice* device = StandardPath.device.get();
  if (!device || !device->hasDecoder()) return;
  uint64_t standard = platform::V4l2StandardOf(mask);
  if (standard != 0) device->setStandard(standard);  // the driver's answer changes nothing here
}

// Nothing is connected to the bound device's outputs (the picture comes through the capture
// window), so there is no stream to start or stop: both succeed while the path is attached.
bool ComStopPreview() { return !StandardPath.attached; }

bool ComStartPreview() { return !StandardPath.attached; }
