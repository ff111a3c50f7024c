#include "sim/SimVideoDevices.h"

namespace sim {

void SimVideoDevices::reset() {
  events_.clear();
  captureEvents_.clear();
  lookupFails_ = false;
  openBindings_ = 0;
  nextBinding_ = 1;
  setDeviceCount(1);
}

void SimVideoDevices::setDeviceCount(int count) {
  devices_.clear();
  for (int i = 0; i < count; ++i)
    devices_.push_back({i == 0 ? "Bt878 video (simulated)" : "Capture device " + std::to_string(i + 1)});
}

int SimVideoDevices::bind(int device) {
  if (device < 0 || device >= static_cast<int>(devices_.size())) return 0;
  int binding = nextBinding_++;
  ++openBindings_;
  events_.push_back({SimVideoEvent::Kind::Bind, device, binding, 0});
  return binding;
}

void SimVideoDevices::release(int binding, int device) {
  --openBindings_;
  events_.push_back({SimVideoEvent::Kind::Release, device, binding, 0});
}

bool SimVideoDevices::setStandard(int binding, int device, uint64_t standard) {
  if (device < 0 || device >= static_cast<int>(devices_.size()) || !devices_[device].hasDecoder)
    return false;
  devices_[device].standard = standard;
  events_.push_back({SimVideoEvent::Kind::SetStandard, device, binding, standard});
  return true;
}

// Never destroyed: a device still bound at exit releases its binding here.
SimVideoDevices& VideoDevices() {
  static auto* devices = new SimVideoDevices;
  return *devices;
}

}  // namespace sim
